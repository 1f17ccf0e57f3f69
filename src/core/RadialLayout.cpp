#include "core/RadialLayout.h"

#include "core/BandSector.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace vellaro {

namespace {

constexpr double fullTurn = 2 * std::numbers::pi;
constexpr double degree = std::numbers::pi / 180;
constexpr double offsetStep = 2.5 * degree;
constexpr double largestOffset = 120 * degree;

// trunc(x) as an index in 0...count-1; NaN gives 0. Clamped before the
// conversion, which is undefined for values an int64 cannot hold.
std::int64_t indexAt(double x, std::int64_t count) {
    if (!(x >= 1))
        return 0;
    const double last = static_cast<double>(std::max<std::int64_t>(count, 1) - 1);
    return x >= last ? std::max<std::int64_t>(count, 1) - 1 : static_cast<std::int64_t>(x);
}

// fmod into [0, 2pi).
double turnRemainder(double angle) {
    const double rest = std::fmod(angle, fullTurn);
    return rest < 0 ? rest + fullTurn : rest;
}

std::int64_t shownCount(std::int64_t count) {
    return std::max<std::int64_t>(count, 1);
}

// Smallest of two distances, and NaN as soon as either is NaN so that a
// margin that is not a number never fits.
double smaller(double a, double b) {
    if (std::isnan(a) || std::isnan(b))
        return std::numeric_limits<double>::quiet_NaN();
    return std::min(a, b);
}

double distanceInside(Point p, const Rect& rect) {
    return smaller(smaller(p.x - rect.minX(), rect.maxX() - p.x),
                   smaller(p.y - rect.minY(), rect.maxY() - p.y));
}

} // namespace

std::optional<RadialLayout> RadialLayout::make(std::int64_t sectionCount, double coreRadius,
                                               double ringInner, double ringOuter, double gutter,
                                               double cornerRadius, double ringGap, double fanDepth,
                                               double fanItemSpan, double fanCornerRadius) {
    if (sectionCount < minSectionCount || sectionCount > maxSectionCount)
        return std::nullopt;
    for (double value : {coreRadius, ringInner, ringOuter, gutter, cornerRadius, ringGap, fanDepth,
                         fanItemSpan, fanCornerRadius}) {
        if (!std::isfinite(value))
            return std::nullopt;
    }
    if (!(coreRadius < ringInner && ringInner < ringOuter))
        return std::nullopt;
    RadialLayout layout;
    layout.sectionCount = sectionCount;
    layout.coreRadius = coreRadius;
    layout.ringInner = ringInner;
    layout.ringOuter = ringOuter;
    layout.gutter = gutter;
    layout.cornerRadius = cornerRadius;
    layout.ringGap = ringGap;
    layout.fanDepth = fanDepth;
    layout.fanItemSpan = fanItemSpan;
    layout.fanCornerRadius = fanCornerRadius;
    return layout;
}

std::optional<RadialLayout> RadialLayout::standard(std::int64_t sectionCount) {
    return make(sectionCount, 45, 51, 130, 4, 6, 14, 73, 27.5 * degree, 4);
}

RadialLayout RadialLayout::scaled(double factor) const {
    if (!(std::isfinite(factor) && factor > 0))
        return *this;
    RadialLayout copy = *this;
    for (double* length :
         {&copy.coreRadius, &copy.ringInner, &copy.ringOuter, &copy.gutter, &copy.cornerRadius,
          &copy.ringGap, &copy.fanDepth, &copy.fanCornerRadius})
        *length *= factor;
    return copy;
}

double RadialLayout::sliceAngle() const {
    return fullTurn / static_cast<double>(std::max<std::int64_t>(sectionCount, 1));
}

double RadialLayout::sectionAngle(std::int64_t section) const {
    return sliceAngle() * static_cast<double>(section);
}

double RadialLayout::fanSpan(std::int64_t count) const {
    return fanItemSpan * static_cast<double>(count);
}

double RadialLayout::fanStart(std::int64_t parent, std::int64_t count) const {
    return sectionAngle(parent) - fanSpan(count) / 2;
}

Point RadialLayout::point(double angle, double radius, Point center) {
    return {center.x + radius * std::sin(angle), center.y - radius * std::cos(angle)};
}

double RadialLayout::angle(Point of, Point center) {
    const double a = std::atan2(of.x - center.x, -(of.y - center.y));
    return a < 0 ? a + fullTurn : a;
}

Point RadialLayout::direction(std::int64_t section) const {
    return point(sectionAngle(section), 1, {});
}

Point RadialLayout::wedgeCenter(std::int64_t section, Point center) const {
    return point(sectionAngle(section), (ringInner + ringOuter) / 2, center);
}

std::int64_t RadialLayout::section(double atAngle) const {
    const double slice = sliceAngle();
    return indexAt(turnRemainder(atAngle + slice / 2) / slice, sectionCount);
}

std::optional<std::int64_t> RadialLayout::fanItemIndex(double angle, std::int64_t parent,
                                                       std::int64_t count, double offset) const {
    count = shownCount(count);
    if (!(fanItemSpan > 0))
        return std::nullopt;
    const double rel = turnRemainder(angle - (fanStart(parent, count) + offset));
    // The far edge itself belongs to the last item.
    if (!(rel <= fanSpan(count)))
        return std::nullopt;
    return indexAt(rel / fanItemSpan, count);
}

RadialHit RadialLayout::hitTest(Point point, Point center,
                                const std::optional<FanContext>& fan) const {
    const double dx = point.x - center.x;
    const double dy = point.y - center.y;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance <= coreRadius)
        return RadialHit::core();
    if (distance < ringInner)
        return RadialHit::gap();
    if (distance <= ringOuter)
        return RadialHit::wedge(section(angle(point, center)));
    if (fan && fanInner() <= distance && distance <= fanOuter()) {
        if (const auto item =
                fanItemIndex(angle(point, center), fan->parent, fan->count, fan->offset))
            return RadialHit::fanItem(*item);
    }
    return RadialHit::outside();
}

Point RadialLayout::fanItemCenter(std::int64_t parent, std::int64_t index, std::int64_t count,
                                  double offset, Point center) const {
    count = shownCount(count);
    const double angle =
        fanStart(parent, count) + offset + (static_cast<double>(index) + 0.5) * fanItemSpan;
    return point(angle, (fanInner() + fanOuter()) / 2, center);
}

Path RadialLayout::wedgePath(std::int64_t section, Point center) const {
    const double slice = sliceAngle();
    const double middle = sectionAngle(section);
    return BandSector{middle - slice / 2, middle + slice / 2, ringInner,
                      ringOuter,          gutter / 2,         cornerRadius}
        .path(center);
}

Path RadialLayout::fanItemPath(std::int64_t parent, std::int64_t index, std::int64_t count,
                               double offset, Point center) const {
    count = shownCount(count);
    const double start =
        fanStart(parent, count) + offset + static_cast<double>(index) * fanItemSpan;
    return BandSector{start,      start + fanItemSpan, fanInner(),
                      fanOuter(), gutter / 2,          fanCornerRadius}
        .path(center);
}

double RadialLayout::fanOffset(std::int64_t parent, std::int64_t count, Point center,
                               const Rect& visibleRect) const {
    count = std::max<std::int64_t>(count, 0);
    // The smallest distance of the fan's corners and outer midpoints to the
    // rectangle's edges; negative when one lies outside.
    auto margin = [&](double offset) {
        double result = std::numeric_limits<double>::max();
        const double start = fanStart(parent, count) + offset;
        for (std::int64_t k = 0; k <= count; ++k) {
            const double boundary = start + static_cast<double>(k) * fanItemSpan;
            result =
                smaller(result, distanceInside(point(boundary, fanInner(), center), visibleRect));
            result =
                smaller(result, distanceInside(point(boundary, fanOuter(), center), visibleRect));
            if (k < count)
                result = smaller(
                    result, distanceInside(point(boundary + fanItemSpan / 2, fanOuter(), center),
                                           visibleRect));
        }
        return result;
    };

    if (margin(0) >= 0)
        return 0;
    for (double step = offsetStep; step <= largestOffset; step += offsetStep) {
        const double counterClockwise = margin(-step);
        const double clockwise = margin(step);
        const bool counterClockwiseFits = counterClockwise >= 0;
        const bool clockwiseFits = clockwise >= 0;
        if (counterClockwiseFits && clockwiseFits)
            return clockwise > counterClockwise ? step : -step;
        if (counterClockwiseFits)
            return -step;
        if (clockwiseFits)
            return step;
    }
    return 0;
}

} // namespace vellaro
