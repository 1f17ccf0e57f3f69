#include "overlay/FanTextFit.h"
#include "core/RadialLayout.h"
#include "overlay/PainterPath.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

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
