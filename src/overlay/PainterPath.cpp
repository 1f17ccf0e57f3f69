#include "overlay/PainterPath.h"

#include <QtMath>
#include <type_traits>

namespace vellaro {

QPainterPath toPainterPath(const Path& path) {
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    bool open = false;
    for (const auto& element : path.elements()) {
        std::visit(
            [&](const auto& e) {
                using T = std::decay_t<decltype(e)>;
                if constexpr (std::is_same_v<T, Path::MoveTo>) {
                    out.moveTo(e.point.x, e.point.y);
                    open = true;
                } else if constexpr (std::is_same_v<T, Path::LineTo>) {
                    if (open)
                        out.lineTo(e.point.x, e.point.y);
                    else
                        out.moveTo(e.point.x, e.point.y);
                    open = true;
                } else if constexpr (std::is_same_v<T, Path::Arc>) {
                    const Point start = e.startPoint();
                    if (!open)
                        out.moveTo(start.x, start.y);
                    open = true;
                    const QRectF box(e.center.x - e.radius, e.center.y - e.radius, 2 * e.radius,
                                     2 * e.radius);
                    // Qt measures arc angles counter-clockwise on screen.
                    out.arcTo(box, -qRadiansToDegrees(e.startAngle), -qRadiansToDegrees(e.sweep));
                } else {
                    out.closeSubpath();
                    open = false;
                }
            },
            element);
    }
    return out;
}

} // namespace vellaro
