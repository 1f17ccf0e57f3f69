#pragma once

#include <QColor>
#include <QImage>

namespace vellaro {

// The status-area mark: a ring with a 60-degree gap and a dot in the gap.
// `angle` turns the gap clockwise from its rest position (up and right).
class StatusMark {
public:
    static constexpr int side = 18; // logical pixels

    static QImage draw(double angle, const QColor& ink, qreal devicePixelRatio = 1.0);

    // Ink that reads on a dark or a light panel.
    static QColor inkFor(bool darkPanel);
};

} // namespace vellaro
