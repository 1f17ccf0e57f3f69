#include "overlay/DialPlacement.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using Screen = DialPlacement::Screen;

struct CentreCase {
    const char* name;
    QPointF pointer;
    QRectF visible;
    double inset;
    QPointF expected;
};

TEST(DialPlacement, CentreKeepsTheInsetFromTheVisibleEdges) {
    const QRectF visible(0, 30, 1440, 870); // a top bar of 30
    const CentreCase cases[] = {
        {"inside stays put", {700, 400}, visible, 150, {700, 400}},
        {"near the left edge on standard size", {10, 400}, visible, 150, {150, 400}},
        {"near the left edge on large size", {10, 400}, visible, 177, {177, 400}},
        {"under the top bar", {700, 5}, visible, 150, {700, 180}},
        {"bottom right corner", {1439, 899}, visible, 150, {1290, 750}},
        {"exactly on the inset line", {150, 180}, visible, 150, {150, 180}},
        {"frame narrower than twice the inset centres that axis",
         {10, 400},
         QRectF(100, 0, 280, 900),
         150,
         {240, 400}},
        {"frame exactly twice the inset centres too",
         {10, 10},
         QRectF(0, 0, 300, 300),
         150,
         {150, 150}},
        {"frame narrower than the inset itself",
         {500, 50},
         QRectF(400, 0, 100, 900),
         150,
         {450, 150}},
        {"second screen to the right", {1500, 20}, QRectF(1440, 0, 1920, 1080), 150, {1590, 150}},
        {"screen left of the primary, negative coordinates",
         {-5, 500},
         QRectF(-1280, 0, 1280, 1024),
         150,
         {-150, 500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DialPlacement::centre(c.pointer, c.visible, c.inset), c.expected);
    }
}

TEST(DialPlacement, ScreenUnderThePointerWinsOverThePrimary) {
    const Screen primary{QRectF(0, 0, 1440, 900), QRectF(0, 30, 1440, 870)};
    const Screen right{QRectF(1440, 0, 1920, 1080), QRectF(1440, 0, 1920, 1040)};
    const std::vector<Screen> screens{primary, right};

    struct Case {
        const char* name;
        QPointF pointer;
        std::optional<QRectF> expectedFrame;
    };
    const Case cases[] = {
        {"on the primary", {100, 100}, primary.frame},
        {"on the second screen", {2000, 500}, right.frame},
        {"left edge of the second screen belongs to it", {1440, 10}, right.frame},
        {"below the primary, on no screen: the primary", {100, 950}, primary.frame},
        {"far away: the primary", {-500, -500}, primary.frame},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto screen = DialPlacement::screenAt(c.pointer, screens, primary);
        ASSERT_TRUE(screen.has_value());
        EXPECT_EQ(screen->frame, *c.expectedFrame);
    }
    EXPECT_FALSE(DialPlacement::screenAt({1, 1}, {}, std::nullopt).has_value());
}

} // namespace
} // namespace vellaro
