#include "overlay/FanTextFit.h"

#include <algorithm>
#include <limits>

namespace vellaro {

FanTextFit FanTextFit::fit(const QPainterPath& shape, double x, double top, double height,
                           double scale) {
    QPainterPath path = shape;
    path.setFillRule(Qt::WindingFill);
    const double reach = 110.0 * scale;
    const double step = 2.0;
    double minLeft = std::numeric_limits<double>::max();
    double minRight = std::numeric_limits<double>::max();
    for (const double row : {top + 1.0, top + height / 2.0, top + height - 1.0}) {
        if (!path.contains(QPointF(x, row)))
            return {x, 24.0};
        double left = 0;
        while (left < reach && path.contains(QPointF(x - left - step, row)))
            left += step;
        double right = 0;
        while (right < reach && path.contains(QPointF(x + right + step, row)))
            right += step;
        minLeft = std::min(minLeft, left);
        minRight = std::min(minRight, right);
    }
    return {x + (minRight - minLeft) / 2.0,
            std::max(minLeft + minRight - 8.0 * scale, 24.0 * scale)};
}

} // namespace vellaro
