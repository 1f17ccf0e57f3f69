#include "settings/presets/MiniDialGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vellaro {

namespace {

double degrees(double radians) {
    return radians * 180 / std::numbers::pi;
}

// QPainterPath angles run counter-clockwise from three o'clock.
double qtAngle(double clockwiseFromTwelve) {
    return 90 - degrees(clockwiseFromTwelve);
}

} // namespace

MiniDialGeometry::MiniDialGeometry(std::size_t sections, double side)
    : side(side), wedges(static_cast<int>(std::max<std::size_t>(sections, 2))), outer(0.46 * side),
      inner(0.19 * side), slice(2 * std::numbers::pi / wedges), gap(std::max(0.02 * side, 1.2)) {}

QPointF MiniDialGeometry::point(double angle, double distance) const {
    return {side / 2 + distance * std::sin(angle), side / 2 - distance * std::cos(angle)};
}

QPainterPath MiniDialGeometry::wedge(int index) const {
    const double a0 = index * slice - slice / 2, a1 = a0 + slice;
    const double outerCut = gap / (2 * outer), innerCut = gap / (2 * inner);
    const QPointF c = center();
    const QRectF outerRect(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer);
    const QRectF innerRect(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner);
    QPainterPath path;
    path.moveTo(point(a0 + outerCut, outer));
    path.arcTo(outerRect, qtAngle(a0 + outerCut), -degrees(slice - 2 * outerCut));
    path.lineTo(point(a1 - innerCut, inner));
    path.arcTo(innerRect, qtAngle(a1 - innerCut), degrees(slice - 2 * innerCut));
    path.closeSubpath();
    return path;
}

} // namespace vellaro
