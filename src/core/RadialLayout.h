#pragma once

#include "core/FanContext.h"
#include "core/Path.h"
#include "core/Point.h"
#include "core/RadialHit.h"
#include "core/Rect.h"

#include <cstdint>
#include <optional>

namespace vellaro {

// The dial's geometry: a ring of section wedges around a core disc and the fan
// of items that unfolds outside an open wedge. The plane's y axis grows
// downward; angles are radians from twelve o'clock, growing clockwise.
//
// Every function is total: fields are writable, so nothing here relies on the
// invariant for safety, and a fan count below 1 counts as one item, the way
// the dial shows an empty fan.
struct RadialLayout {
    static constexpr std::int64_t minSectionCount = 2;
    static constexpr std::int64_t maxSectionCount = 7;

    std::int64_t sectionCount = minSectionCount;
    double coreRadius = 0;
    double ringInner = 0;
    double ringOuter = 0;
    double gutter = 0;
    double cornerRadius = 0;
    double ringGap = 0;
    double fanDepth = 0;
    double fanItemSpan = 0; // radians
    double fanCornerRadius = 0;

    // The section count comes from the user's section list, so a layout that
    // breaks the invariant (2...7 sections, finite values,
    // coreRadius < ringInner < ringOuter) is refused rather than repaired: a
    // clamped count would draw a ring that disagrees with the sections behind
    // it. Callers show no dial when this is absent.
    static std::optional<RadialLayout> make(std::int64_t sectionCount, double coreRadius,
                                            double ringInner, double ringOuter, double gutter,
                                            double cornerRadius, double ringGap, double fanDepth,
                                            double fanItemSpan, double fanCornerRadius);
    // The dial's own proportions (core 45, ring 51...130, gutter 4, corners 6,
    // gap 14, fan depth 73, item span 27.5 degrees, fan corners 4), unscaled.
    static std::optional<RadialLayout> standard(std::int64_t sectionCount);

    // Every length multiplied by `factor`; the count and the item span stay.
    // A factor that is not a positive finite number leaves the layout as it
    // is, so the radii stay in ascending order.
    RadialLayout scaled(double factor) const;

    // A section count below 1 counts as one section.
    double sliceAngle() const;
    double fanInner() const { return ringOuter + ringGap; }
    double fanOuter() const { return fanInner() + fanDepth; }
    double sectionAngle(std::int64_t section) const;
    double fanSpan(std::int64_t count) const;
    double fanStart(std::int64_t parent, std::int64_t count) const;

    static Point point(double angle, double radius, Point center);
    // In [0, 2pi).
    static double angle(Point of, Point center);

    Point direction(std::int64_t section) const;
    Point wedgeCenter(std::int64_t section, Point center) const;
    // The section whose wedge holds the angle, always within 0...sectionCount-1.
    std::int64_t section(double atAngle) const;
    std::optional<std::int64_t> fanItemIndex(double angle, std::int64_t parent, std::int64_t count,
                                             double offset) const;
    RadialHit hitTest(Point point, Point center,
                      const std::optional<FanContext>& fan = std::nullopt) const;
    Point fanItemCenter(std::int64_t parent, std::int64_t index, std::int64_t count, double offset,
                        Point center) const;

    Path wedgePath(std::int64_t section, Point center) const;
    Path fanItemPath(std::int64_t parent, std::int64_t index, std::int64_t count, double offset,
                     Point center) const;

    // The angular offset that keeps a fan about to open inside `visibleRect`:
    // 0 when it fits, else the smallest multiple of 2.5 degrees (up to 120)
    // that fits, the side with the larger margin first and the
    // counter-clockwise one on a tie; 0 when nothing fits.
    double fanOffset(std::int64_t parent, std::int64_t count, Point center,
                     const Rect& visibleRect) const;

    friend bool operator==(const RadialLayout&, const RadialLayout&) = default;

private:
    RadialLayout() = default;
};

} // namespace vellaro
