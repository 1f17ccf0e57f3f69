#pragma once

#include <QRect>
#include <QString>

namespace vellaro {

// One monitor in X root pixels, y down. The visible frame leaves out what
// docks and panels reserve.
struct Monitor {
    QString name;
    QRect frame;
    QRect visibleFrame;

    friend bool operator==(const Monitor&, const Monitor&) = default;
};

} // namespace vellaro
