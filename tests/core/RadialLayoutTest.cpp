#include "core/RadialLayout.h"

#include "CorePrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <variant>
#include <vector>

namespace vellaro {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double degree = pi / 180;
constexpr Point center{300, 300};

RadialLayout standardLayout(std::int64_t sections) {
    const auto layout = RadialLayout::standard(sections);
    EXPECT_TRUE(layout.has_value()) << sections << " sections";
    return layout.value_or(*RadialLayout::standard(2));
}

// Even-odd rule over the path's flattened subpaths.
bool pathContains(const Path& path, Point p) {
    bool inside = false;
    for (const auto& polygon : path.flattened(0.005)) {
        for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
            const Point a = polygon[i];
            const Point b = polygon[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
    }
    return inside;
}

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

TEST(RadialLayout, StandardValuesAndScaling) {
    const RadialLayout layout = standardLayout(6);
    EXPECT_EQ(layout.sectionCount, 6);
    EXPECT_DOUBLE_EQ(layout.fanItemSpan, 0.4799655442984406);
    EXPECT_DOUBLE_EQ(layout.fanInner(), 144);
    EXPECT_DOUBLE_EQ(layout.fanOuter(), 217);
    EXPECT_DOUBLE_EQ(layout.sliceAngle(), pi / 3);

    const RadialLayout big = layout.scaled(1.18);
    EXPECT_EQ(big.sectionCount, 6);
    EXPECT_EQ(big.fanItemSpan, layout.fanItemSpan);
    const double lengths[][2] = {
        {big.coreRadius, 45},  {big.ringInner, 51}, {big.ringOuter, 130}, {big.gutter, 4},
        {big.cornerRadius, 6}, {big.ringGap, 14},   {big.fanDepth, 73},   {big.fanCornerRadius, 4},
    };
    for (const auto& [scaled, unscaled] : lengths)
        EXPECT_DOUBLE_EQ(scaled, unscaled * 1.18);

    // A factor read from a damaged file cannot turn the radii around.
    for (double factor : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()})
        EXPECT_EQ(layout.scaled(factor), layout) << factor;
}

TEST(RadialLayout, RefusesLayoutsThatBreakTheInvariant) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double span = 27.5 * degree;
    struct Case {
        const char* name;
        std::int64_t sections;
        double core, inner, outer, span;
        bool accepted;
    };
    const Case cases[] = {
        {"two sections", 2, 45, 51, 130, span, true},
        {"seven sections", 7, 45, 51, 130, span, true},
        {"one section", 1, 45, 51, 130, span, false},
        {"no sections", 0, 45, 51, 130, span, false},
        {"eight sections", 8, 45, 51, 130, span, false},
        {"core equal to ring inner", 6, 51, 51, 130, span, false},
        {"ring inner equal to outer", 6, 45, 130, 130, span, false},
        {"radii descending", 6, 130, 51, 45, span, false},
        {"radius not a number", 6, 45, nan, 130, span, false},
        {"span not a number", 6, 45, 51, 130, nan, false},
    };
    for (const Case& c : cases) {
        const auto layout =
            RadialLayout::make(c.sections, c.core, c.inner, c.outer, 4, 6, 14, 73, c.span, 4);
        EXPECT_EQ(layout.has_value(), c.accepted) << c.name;
    }
    EXPECT_FALSE(RadialLayout::standard(1).has_value());
    EXPECT_FALSE(RadialLayout::standard(8).has_value());
}

TEST(RadialLayout, AngleConversionsRoundTrip) {
    EXPECT_EQ(RadialLayout::point(0, 10, center), (Point{300, 290}));
    EXPECT_NEAR(RadialLayout::point(pi / 2, 10, center).x, 310, 1e-12);
    EXPECT_DOUBLE_EQ(RadialLayout::angle({300, 290}, center), 0);
    EXPECT_DOUBLE_EQ(RadialLayout::angle({310, 300}, center), pi / 2);
    EXPECT_DOUBLE_EQ(RadialLayout::angle({300, 310}, center), pi);
    EXPECT_DOUBLE_EQ(RadialLayout::angle({290, 300}, center), 3 * pi / 2);
    for (double a = 0; a < 2 * pi; a += 0.3)
        EXPECT_NEAR(RadialLayout::angle(RadialLayout::point(a, 90, center), center), a, 1e-12);
}

TEST(RadialLayout, SectionOfAnAngle) {
    const RadialLayout six = standardLayout(6);
    EXPECT_EQ(six.section(0), 0);
    EXPECT_EQ(six.section(29.9 * degree), 0);
    EXPECT_EQ(six.section(six.sliceAngle() / 2), 1);
    EXPECT_EQ(six.section(345 * degree), 0);
    EXPECT_EQ(six.section(std::nextafter(2 * pi, 0.0)), 0);
    // Outside [0, 2pi) still names a section on the ring.
    EXPECT_EQ(six.section(-15 * degree), 0);
    EXPECT_EQ(six.section(std::numeric_limits<double>::quiet_NaN()), 0);
}

// Along the four axes of a four-section dial, each axis is a section's centre.
TEST(RadialLayout, HitTestAlongTheAxes) {
    const RadialLayout layout = standardLayout(4);
    struct Case {
        double radius;
        bool withFan;
        RadialHit expected; // fanItem(1) is the middle of a fan of three
    };
    const Case cases[] = {
        {0, false, RadialHit::core()},        {45, false, RadialHit::core()},
        {45.1, false, RadialHit::gap()},      {50.9, false, RadialHit::gap()},
        {130.5, false, RadialHit::outside()}, {144, false, RadialHit::outside()},
        {130.5, true, RadialHit::outside()},  {143.9, true, RadialHit::outside()},
        {144, true, RadialHit::fanItem(1)},   {180, true, RadialHit::fanItem(1)},
        {217, true, RadialHit::fanItem(1)},   {217.1, true, RadialHit::outside()},
    };
    for (std::int64_t axis = 0; axis < 4; ++axis) {
        const FanContext fan{axis, 3, 0};
        const Point unit = layout.direction(axis);
        const auto at = [&](double r) {
            return Point{center.x + std::round(unit.x) * r, center.y + std::round(unit.y) * r};
        };
        for (double r : {51.0, 90.0, 130.0}) {
            EXPECT_EQ(layout.hitTest(at(r), center), RadialHit::wedge(axis))
                << "axis " << axis << " radius " << r;
            EXPECT_EQ(layout.hitTest(at(r), center, fan), RadialHit::wedge(axis))
                << "axis " << axis << " radius " << r << " with fan";
        }
        for (const Case& c : cases) {
            const auto fanArg = c.withFan ? std::optional(fan) : std::nullopt;
            EXPECT_EQ(layout.hitTest(at(c.radius), center, fanArg), c.expected)
                << "axis " << axis << " radius " << c.radius << (c.withFan ? " with fan" : "");
        }
    }
}

TEST(RadialLayout, HitTestAtWedgeBoundaries) {
    for (std::int64_t n = 2; n <= 7; ++n) {
        const RadialLayout layout = standardLayout(n);
        const double slice = layout.sliceAngle();
        for (std::int64_t i = 0; i < n; ++i) {
            const double boundary = slice * static_cast<double>(i) + slice / 2;
            for (double radius : {51.5, 90.0, 129.5}) {
                EXPECT_EQ(
                    layout.hitTest(RadialLayout::point(boundary - 1e-9, radius, center), center),
                    RadialHit::wedge(i))
                    << n << " sections, before boundary " << i;
                EXPECT_EQ(
                    layout.hitTest(RadialLayout::point(boundary + 1e-9, radius, center), center),
                    RadialHit::wedge((i + 1) % n))
                    << n << " sections, after boundary " << i;
            }
        }
        // The start of a wedge's range belongs to it.
        EXPECT_EQ(layout.section(slice / 2), 1) << n << " sections";
    }
}

TEST(RadialLayout, FanItemsAndTheFarEdge) {
    const RadialLayout layout = standardLayout(6);
    const double span = layout.fanItemSpan;
    // An offset that puts the fan of four of section 0 at angle 0 exactly.
    const double offset = span * 4 / 2;
    EXPECT_EQ(layout.fanItemIndex(0, 0, 4, offset), 0);
    EXPECT_EQ(layout.fanItemIndex(span * 1.5, 0, 4, offset), 1);
    EXPECT_EQ(layout.fanItemIndex(span * 4, 0, 4, offset), 3);
    EXPECT_EQ(layout.fanItemIndex(span * 4 + 1e-9, 0, 4, offset), std::nullopt);
    EXPECT_EQ(layout.fanItemIndex(-1e-9, 0, 4, offset), std::nullopt);

    const FanContext fan{0, 4, offset};
    EXPECT_EQ(layout.hitTest(RadialLayout::point(span * 4, 180, center), center, fan),
              RadialHit::fanItem(3));
    EXPECT_EQ(layout.hitTest(RadialLayout::point(span * 4 + 1e-9, 180, center), center, fan),
              RadialHit::outside());

    // An item's centre hits that item, with and without an offset.
    for (double shift : {0.0, -7.5 * degree, 40 * degree}) {
        const FanContext shifted{2, 5, shift};
        for (std::int64_t k = 0; k < 5; ++k)
            EXPECT_EQ(layout.hitTest(layout.fanItemCenter(2, k, 5, shift, center), center, shifted),
                      RadialHit::fanItem(k))
                << "item " << k << " offset " << shift;
    }
}

// A fan count below 1 is shown as one item; nothing here may stop the program.
TEST(RadialLayout, FanCountBelowOneCountsAsOne) {
    const RadialLayout layout = standardLayout(6);
    const Point onAxis = RadialLayout::point(0, 180, center);
    for (std::int64_t count :
         {std::int64_t{0}, std::int64_t{-3}, std::numeric_limits<std::int64_t>::min()}) {
        EXPECT_EQ(layout.hitTest(onAxis, center, FanContext{0, count, 0}), RadialHit::fanItem(0));
        EXPECT_EQ(layout.fanItemIndex(0, 0, count, 0), 0);
        EXPECT_EQ(layout.fanItemCenter(0, 0, count, 0, center),
                  layout.fanItemCenter(0, 0, 1, 0, center));
        EXPECT_EQ(layout.fanOffset(0, count, center, {0, 0, 600, 600}), 0);
    }
}

TEST(RadialLayout, FanOffsetSearch) {
    const Rect screen{0, 0, 1440, 900};
    struct Case {
        const char* name;
        std::int64_t sections, parent, count;
        Point dialCenter;
        Rect visible;
        double expectedDegrees;
    };
    const Case cases[] = {
        {"fits centred", 6, 1, 4, {720, 450}, screen, 0},
        {"empty fan that fits", 6, 1, 0, {720, 450}, screen, 0},
        {"right edge, only counter-clockwise fits", 6, 1, 4, {1240, 350}, screen, -50},
        {"top right corner, only clockwise fits", 6, 1, 4, {1220, 190}, screen, 25},
        {"both fit, clockwise has the larger margin", 4, 1, 1, {1240, 170}, screen, 37.5},
        {"both fit with equal margins", 4, 1, 3, {1300, 450}, screen, -92.5},
        {"cannot fit within 120 degrees", 6, 1, 4, {150, 150}, {0, 0, 300, 300}, 0},
    };
    for (const Case& c : cases) {
        const RadialLayout layout = standardLayout(c.sections);
        const double offset = layout.fanOffset(c.parent, c.count, c.dialCenter, c.visible);
        EXPECT_NEAR(offset / degree, c.expectedDegrees, 1e-9) << c.name;
    }
}

// Every arc starts where the outline stands, so no step relies on a
// connecting line the construction did not mean.
void expectContinuousAndClosed(const Path& path, const char* what) {
    EXPECT_TRUE(path.isClosed()) << what;
    std::optional<Point> current;
    std::optional<Point> start;
    for (const auto& element : path.elements()) {
        if (const auto* move = std::get_if<Path::MoveTo>(&element)) {
            EXPECT_FALSE(start.has_value()) << what << ": one subpath only";
            start = current = move->point;
        } else if (const auto* line = std::get_if<Path::LineTo>(&element)) {
            current = line->point;
        } else if (const auto* arc = std::get_if<Path::Arc>(&element)) {
            ASSERT_TRUE(current.has_value()) << what;
            EXPECT_LT(distance(arc->startPoint(), *current), 1e-9) << what;
            EXPECT_GE(arc->sweep, -pi) << what;
            current = arc->endPoint();
        } else {
            ASSERT_TRUE(start && current) << what;
            EXPECT_LT(distance(*start, *current), 1e-9) << what << ": closes where it began";
        }
    }
}

// The two straight sides run parallel to the sector's radial edges, half a
// gutter inside them, and the corners are rounded by less than a half turn.
void expectInsetSides(const Path& path, Point center, double a0, double a1, double halfGutter) {
    const auto across = [&](Point p, double side) {
        return (p.x - center.x) * std::cos(side) + (p.y - center.y) * std::sin(side);
    };
    std::optional<Point> current;
    int sides = 0;
    for (const auto& element : path.elements()) {
        if (const auto* line = std::get_if<Path::LineTo>(&element)) {
            ASSERT_TRUE(current.has_value());
            const bool startSide = std::abs(across(*current, a0) - halfGutter) < 1e-9 &&
                                   std::abs(across(line->point, a0) - halfGutter) < 1e-9;
            const bool endSide = std::abs(across(*current, a1) + halfGutter) < 1e-9 &&
                                 std::abs(across(line->point, a1) + halfGutter) < 1e-9;
            EXPECT_TRUE(startSide || endSide) << "side " << sides;
            ++sides;
        }
        if (const auto* arc = std::get_if<Path::Arc>(&element)) {
            if (arc->center != center) {
                EXPECT_GT(arc->sweep, 0);
                EXPECT_LT(arc->sweep, pi);
            }
        }
        if (const auto* move = std::get_if<Path::MoveTo>(&element))
            current = move->point;
        else if (const auto* line = std::get_if<Path::LineTo>(&element))
            current = line->point;
        else if (const auto* arc = std::get_if<Path::Arc>(&element))
            current = arc->endPoint();
    }
    EXPECT_EQ(sides, 2);
}

// Where an outline closes, the stroke's join must be invisible: the last arc
// ends on the start point going the way the first step leaves it, so the
// closing line adds no segment that could stick out.
TEST(RadialLayout, OutlinesCloseWithoutASeam) {
    for (std::int64_t n = 2; n <= 7; ++n) {
        const RadialLayout layout = standardLayout(n).scaled(1.18);
        for (std::int64_t i = 0; i < n; ++i) {
            for (const Path& path :
                 {layout.wedgePath(i, center), layout.fanItemPath(i, 1, 3, 0, center)}) {
                const auto& elements = path.elements();
                ASSERT_GE(elements.size(), 4u);
                const auto* move = std::get_if<Path::MoveTo>(&elements.front());
                const auto* first = std::get_if<Path::Arc>(&elements[1]);
                const auto* last = std::get_if<Path::Arc>(&elements[elements.size() - 2]);
                ASSERT_TRUE(move && first && last) << n << " sections, " << i;
                EXPECT_LT(distance(last->endPoint(), move->point), 1e-12) << n << ", " << i;
                // Arcs of one circle meet without a turn.
                EXPECT_EQ(last->center, first->center) << n << ", " << i;
                EXPECT_EQ(last->radius, first->radius) << n << ", " << i;
            }
        }
    }
}

TEST(RadialLayout, WedgeOutlines) {
    for (double scale : {1.0, 1.18}) {
        for (std::int64_t n = 2; n <= 7; ++n) {
            const RadialLayout layout = standardLayout(n).scaled(scale);
            const double slice = layout.sliceAngle();
            const double half = layout.gutter / 2;
            for (std::int64_t i = 0; i < n; ++i) {
                const Path path = layout.wedgePath(i, center);
                expectContinuousAndClosed(path, "wedge");
                expectInsetSides(path, center, layout.sectionAngle(i) - slice / 2,
                                 layout.sectionAngle(i) + slice / 2, half);
                EXPECT_TRUE(pathContains(path, layout.wedgeCenter(i, center)))
                    << n << " sections, wedge " << i;
                EXPECT_FALSE(pathContains(path, center));
                EXPECT_FALSE(pathContains(
                    path, RadialLayout::point(layout.sectionAngle(i), layout.coreRadius, center)));
                EXPECT_FALSE(
                    pathContains(path, RadialLayout::point(layout.sectionAngle(i),
                                                           layout.ringOuter + 0.5, center)));
                // The gutter: on and just beside the line between two wedges.
                const double boundary = layout.sectionAngle(i) + slice / 2;
                const Point across{std::cos(boundary), std::sin(boundary)};
                for (double radius :
                     {layout.ringInner + 8, (layout.ringInner + layout.ringOuter) / 2,
                      layout.ringOuter - 8}) {
                    const Point onLine = RadialLayout::point(boundary, radius, center);
                    for (double shift : {0.0, 0.9 * half, -0.9 * half})
                        EXPECT_FALSE(pathContains(path, onLine + across * shift))
                            << n << " sections, wedge " << i << " radius " << radius;
                    EXPECT_TRUE(pathContains(path, onLine - across * (1.5 * half)))
                        << n << " sections, wedge " << i << " radius " << radius;
                }
                // Everything drawn stays inside the ring.
                for (const auto& polygon : path.flattened())
                    for (const Point p : polygon) {
                        EXPECT_GE(distance(p, center), layout.ringInner - 1e-9);
                        EXPECT_LE(distance(p, center), layout.ringOuter + 1e-9);
                    }
            }
        }
    }
}

TEST(RadialLayout, FanItemOutlines) {
    const RadialLayout layout = standardLayout(6);
    const double offset = -7.5 * degree;
    const std::int64_t count = 5;
    const double half = layout.gutter / 2;
    for (std::int64_t k = 0; k < count; ++k) {
        const Path path = layout.fanItemPath(2, k, count, offset, center);
        expectContinuousAndClosed(path, "fan item");
        EXPECT_TRUE(pathContains(path, layout.fanItemCenter(2, k, count, offset, center)));
        const double start =
            layout.fanStart(2, count) + offset + static_cast<double>(k) * layout.fanItemSpan;
        for (double edge : {start, start + layout.fanItemSpan}) {
            const Point onLine = RadialLayout::point(edge, 180, center);
            const Point across{std::cos(edge), std::sin(edge)};
            for (double shift : {0.0, 0.9 * half, -0.9 * half})
                EXPECT_FALSE(pathContains(path, onLine + across * shift)) << "item " << k;
        }
        const double middle = start + layout.fanItemSpan / 2;
        EXPECT_FALSE(pathContains(path, RadialLayout::point(middle, layout.ringOuter, center)));
        EXPECT_FALSE(
            pathContains(path, RadialLayout::point(middle, layout.fanInner() - 0.5, center)));
        EXPECT_FALSE(
            pathContains(path, RadialLayout::point(middle, layout.fanOuter() + 0.5, center)));
    }
}

} // namespace
} // namespace vellaro
