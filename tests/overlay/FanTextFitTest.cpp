#include "overlay/FanTextFit.h"
#include "core/RadialLayout.h"
#include "overlay/PainterPath.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace vellaro {
namespace {

// The fit found point by point with QPainterPath::contains, as a reference.
FanTextFit fitByContains(const QPainterPath& shape, double x, double top, double height,
                         double scale) {
    const double reach = 110.0 * scale;
    double minLeft = std::numeric_limits<double>::max();
    double minRight = std::numeric_limits<double>::max();
    for (const double row : {top + 1.0, top + height / 2.0, top + height - 1.0}) {
        if (!shape.contains(QPointF(x, row)))
            return {x, 24.0};
        double left = 0;
        while (left < reach && shape.contains(QPointF(x - left - 2, row)))
            left += 2;
        double right = 0;
        while (right < reach && shape.contains(QPointF(x + right + 2, row)))
            right += 2;
        minLeft = std::min(minLeft, left);
        minRight = std::min(minRight, right);
    }
    return {x + (minRight - minLeft) / 2.0,
            std::max(minLeft + minRight - 8.0 * scale, 24.0 * scale)};
}

// Every item of fans round the dial, at several sizes, with bands from above
// the item to below it: the same fit as the outline's own containment test.
TEST(FanTextFit, AgreesWithTheOutlinesContainmentEverywhere) {
    for (const double scale : {1.0, 1.18, 1.5, 2.0}) {
        for (const int sections : {4, 6, 8}) {
            const RadialLayout layout = RadialLayout::standard(sections)->scaled(scale);
            const Point c{300 * scale, 300 * scale};
            for (int parent = 0; parent < sections; ++parent) {
                for (const int count : {1, 3, 5}) {
                    for (int index = 0; index < count; ++index) {
                        const QPainterPath shape =
                            toPainterPath(layout.fanItemPath(parent, index, count, 0.05, c));
                        const Point centre = layout.fanItemCenter(parent, index, count, 0.05, c);
                        for (double lift = -40; lift <= 40; lift += 3.7) {
                            const double top = centre.y + lift * scale;
                            const FanTextFit fast =
                                FanTextFit::fit(shape, centre.x + 0.3, top, 16 * scale, scale);
                            const FanTextFit slow =
                                fitByContains(shape, centre.x + 0.3, top, 16 * scale, scale);
                            ASSERT_EQ(fast.centerX, slow.centerX)
                                << scale << " " << sections << " " << parent << " " << count << " "
                                << index << " " << lift;
                            ASSERT_EQ(fast.width, slow.width);
                        }
                    }
                }
            }
        }
    }
}

// The fitted width of a fan item's title: inside the item's outline less the
// margin, never below the minimum, and the minimum where the band leaves it.
TEST(FanTextFit, FitsTheTitleBandOfARealFanItem) {
    for (const double scale : {1.0, 1.18}) {
        SCOPED_TRACE(scale);
        const RadialLayout layout = RadialLayout::standard(6)->scaled(scale);
        const Point c{240 * scale, 240 * scale};
        const QPainterPath shape = toPainterPath(layout.fanItemPath(0, 0, 1, 0, c));
        const Point centre = layout.fanItemCenter(0, 0, 1, 0, c);

        const FanTextFit title =
            FanTextFit::fit(shape, centre.x, centre.y + 7 * scale, 16 * scale, scale);
        EXPECT_GT(title.width, 24 * scale);
        EXPECT_LT(title.width, 110 * scale);
        // Each sampled edge lies inside the shape; the margin keeps text clear.
        const double row = centre.y + 7 * scale + 8 * scale;
        EXPECT_TRUE(shape.contains(QPointF(title.centerX - title.width / 2, row)));
        EXPECT_TRUE(shape.contains(QPointF(title.centerX + title.width / 2, row)));

        // A band that starts below the item's outer edge gets the bare minimum.
        const FanTextFit outside =
            FanTextFit::fit(shape, centre.x, centre.y - 80 * scale, 16 * scale, scale);
        EXPECT_EQ(outside.width, 24);
        EXPECT_EQ(outside.centerX, centre.x);
    }
}

} // namespace
} // namespace vellaro
