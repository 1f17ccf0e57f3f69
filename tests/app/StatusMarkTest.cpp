#include "app/StatusMark.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace vellaro {
namespace {

// Alpha at a point given in polar paper coordinates (y up) around the centre.
int alphaAt(const QImage& image, double radius, double degrees) {
    const double scale = image.devicePixelRatio();
    const double rad = degrees * std::numbers::pi / 180;
    const int x = static_cast<int>(std::floor((9 + radius * std::cos(rad)) * scale));
    const int y = static_cast<int>(std::floor((9 - radius * std::sin(rad)) * scale));
    return qAlpha(image.pixel(x, y));
}

TEST(StatusMark, GapAndDotFollowTheAngle) {
    struct Case {
        double angle;
        double gapDirection; // degrees counter-clockwise from +x
    };
    const Case cases[] = {{0, 45}, {45, 0}, {90, -45}, {180, -135}, {359.25, 45.75}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        // Drawn large so single pixels resolve the 1.7-wide stroke and the
        // 4.2-wide dot.
        const QImage image = StatusMark::draw(c.angle, Qt::black, 4.0);
        ASSERT_EQ(image.size(), QSize(72, 72));
        EXPECT_GT(alphaAt(image, 6.1, c.gapDirection), 200) << "dot in the gap";
        EXPECT_GT(alphaAt(image, 7.6, c.gapDirection), 200) << "dot wider than the ring";
        EXPECT_EQ(alphaAt(image, 7.6, c.gapDirection + 180), 0) << "no dot opposite";
        EXPECT_GT(alphaAt(image, 6.1, c.gapDirection + 180), 200) << "ring opposite the gap";
        EXPECT_GT(alphaAt(image, 6.1, c.gapDirection + 90), 200) << "ring beside";
        EXPECT_EQ(alphaAt(image, 0, 0), 0) << "centre is empty";
    }
}

TEST(StatusMark, InkReadsOnThePanel) {
    EXPECT_EQ(StatusMark::inkFor(true), QColor(Qt::white));
    EXPECT_EQ(StatusMark::inkFor(false), QColor(Qt::black));
    const QImage white = StatusMark::draw(0, Qt::white, 2.0);
    EXPECT_EQ(white.size(), QSize(36, 36));
    EXPECT_EQ(white.devicePixelRatio(), 2.0);
}

} // namespace
} // namespace vellaro
