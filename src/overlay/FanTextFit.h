#pragma once

#include <QPainterPath>

namespace vellaro {

// Where a centred text line fits inside a fan item's outline: the widest band
// of rows (top, middle, bottom sample) that stays inside the shape.
struct FanTextFit {
    double centerX = 0;
    double width = 0;

    // `shape` in the layout plane (y down); the band runs from `top` for
    // `height`; `x` is the item centre's x; `scale` the dial's size factor.
    static FanTextFit fit(const QPainterPath& shape, double x, double top, double height,
                          double scale);
};

} // namespace vellaro
