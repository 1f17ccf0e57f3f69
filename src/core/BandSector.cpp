#include "core/BandSector.h"

#include "core/RadialLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vellaro {

namespace {

constexpr double fullTurn = 2 * std::numbers::pi;

// Dial angles start at twelve o'clock; path angles start at the +x axis.
double pathAngle(double dialAngle) {
    return dialAngle - std::numbers::pi / 2;
}

double directionFrom(Point from, Point to) {
    return std::atan2(to.y - from.y, to.x - from.x);
}

// Corner arc from the current point to `target` around `cornerCenter`,
// always turning clockwise on screen.
void cornerTo(Path& path, Point cornerCenter, double radius, Point target) {
    const double start = directionFrom(cornerCenter, path.currentPoint().value_or(target));
    double sweep = std::fmod(directionFrom(cornerCenter, target) - start, fullTurn);
    if (sweep < 0)
        sweep += fullTurn;
    path.arc(cornerCenter, radius, start, sweep);
}

} // namespace

Path BandSector::path(Point center) const {
    const double a0 = startAngle;
    const double a1 = endAngle;
    const double h = halfGutter;
    const double cr = std::min(innerRadius * (a1 - a0) / 2.5, cornerLimit);
    const double outerInset = std::asin((h + cr) / (outerRadius - cr));
    const double innerInset = std::asin((h + cr) / (innerRadius + cr));

    // Corner circles touch the band's circle and a radial side moved by h
    // into the sector.
    const Point outerStart = RadialLayout::point(a0 + outerInset, outerRadius - cr, center);
    const Point outerEnd = RadialLayout::point(a1 - outerInset, outerRadius - cr, center);
    const Point innerEnd = RadialLayout::point(a1 - innerInset, innerRadius + cr, center);
    const Point innerStart = RadialLayout::point(a0 + innerInset, innerRadius + cr, center);

    // Where a corner circle touches its side: its centre projected onto the
    // radius through the side, then moved by h across it (clockwise on the
    // start side, counter-clockwise on the end side).
    auto sidePoint = [&](Point cornerCenter, double side, double across) {
        const Point radial{std::sin(side), -std::cos(side)};
        const Point relative = cornerCenter - center;
        const double along = relative.x * radial.x + relative.y * radial.y;
        return center + radial * along + Point{std::cos(side), std::sin(side)} * (across * h);
    };

    // The outline starts and closes in the middle of the outer arc, where
    // the closing join is straight; closing at a corner left a spur there.
    const double outerFrom = a0 + outerInset;
    const double outerTo = a1 - outerInset;
    const double middle = (outerFrom + outerTo) / 2;
    Path path;
    path.moveTo(RadialLayout::point(middle, outerRadius, center));
    path.arc(center, outerRadius, pathAngle(middle), outerTo - middle);
    cornerTo(path, outerEnd, cr, sidePoint(outerEnd, a1, -1));
    path.lineTo(sidePoint(innerEnd, a1, -1));
    cornerTo(path, innerEnd, cr, RadialLayout::point(a1 - innerInset, innerRadius, center));
    path.arc(center, innerRadius, pathAngle(a1 - innerInset),
             -((a1 - innerInset) - (a0 + innerInset)));
    cornerTo(path, innerStart, cr, sidePoint(innerStart, a0, +1));
    path.lineTo(sidePoint(outerStart, a0, +1));
    cornerTo(path, outerStart, cr, RadialLayout::point(outerFrom, outerRadius, center));
    path.arc(center, outerRadius, pathAngle(outerFrom), middle - outerFrom);
    path.close();
    return path;
}

} // namespace vellaro
