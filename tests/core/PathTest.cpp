#include "core/Path.h"

#include "CorePrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vellaro {
namespace {

constexpr double pi = std::numbers::pi;

TEST(Path, ArcsFollowTheYDownPlane) {
    Path path;
    // A quarter turn from the +x axis toward +y: from (10, 0) to (0, 10).
    path.arc({0, 0}, 10, 0, pi / 2);
    ASSERT_TRUE(path.currentPoint().has_value());
    EXPECT_NEAR(path.currentPoint()->x, 0, 1e-12);
    EXPECT_NEAR(path.currentPoint()->y, 10, 1e-12);
    EXPECT_FALSE(path.isClosed());
    path.close();
    EXPECT_TRUE(path.isClosed());

    const auto polygons = path.flattened(pi / 8);
    ASSERT_EQ(polygons.size(), 1u);
    // The subpath's start, then the arc's own points at every 22.5 degrees.
    ASSERT_EQ(polygons[0].size(), 6u);
    for (const Point p : polygons[0])
        EXPECT_NEAR(std::hypot(p.x, p.y), 10, 1e-12);
}

TEST(Path, EveryStepAfterACloseStartsANewSubpath) {
    Path path;
    path.moveTo({0, 0});
    path.lineTo({10, 0});
    path.lineTo({10, 10});
    path.close();
    path.lineTo({20, 20});
    EXPECT_FALSE(path.isClosed());
    EXPECT_TRUE(std::holds_alternative<Path::MoveTo>(path.elements()[4]));
    path.close();
    EXPECT_TRUE(path.isClosed());
    EXPECT_EQ(path.flattened().size(), 2u);

    // Nothing to close on an empty path, and a huge sweep stays bounded.
    Path empty;
    empty.close();
    EXPECT_TRUE(empty.isEmpty());
    Path wild;
    wild.arc({0, 0}, 1, 0, 1e300);
    EXPECT_LE(wild.flattened().front().size(), 100002u);
}

} // namespace
} // namespace vellaro
