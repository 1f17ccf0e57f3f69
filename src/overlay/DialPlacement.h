#pragma once

#include <QPointF>
#include <QRectF>
#include <optional>
#include <vector>

namespace vellaro {

// Where the dial opens: centred on the pointer, pulled in so the dial keeps
// `inset` from the edges of the visible area of the screen under the pointer.
// Coordinates are Qt's global ones (origin top left, y down); the rule is the
// same either way up.
class DialPlacement {
public:
    struct Screen {
        QRectF frame;        // the whole screen
        QRectF visibleFrame; // without panels and docks
    };

    // The first screen whose frame holds `pointer`, else `primary`; nothing
    // when there is no screen at all.
    static std::optional<Screen> screenAt(QPointF pointer, const std::vector<Screen>& screens,
                                          std::optional<Screen> primary);

    // The dial's centre. An axis too short for twice the inset centres the
    // dial on that axis of the visible frame.
    static QPointF centre(QPointF pointer, const QRectF& visibleFrame, double inset);

    // Mouse-in-rectangle rule: left and top edges inside, right and bottom out.
    static bool contains(const QRectF& frame, QPointF point);

private:
    static double clampAxis(double value, double min, double max, double inset);
};

} // namespace vellaro
