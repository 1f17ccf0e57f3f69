#include "workspaces/WindowTargets.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

struct TargetCase {
    const char* name;
    WindowLayout layout;
    QRect visible;
    QRect frame;
    QRect expected;
};

class LayoutTargetTest : public ::testing::TestWithParam<TargetCase> {};

TEST_P(LayoutTargetTest, PlacesTheWindow) {
    const TargetCase& c = GetParam();
    EXPECT_EQ(layoutTarget(c.layout, c.visible, c.frame), c.expected);
}

const QRect visible{0, 30, 1441, 870};
const QRect smallFrame{50, 60, 400, 300};

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutTargetTest,
                         ::testing::Values(TargetCase{"LeftHalfOddWidth",
                                                      WindowLayout::leftHalf,
                                                      visible,
                                                      smallFrame,
                                                      {0, 30, 720, 870}},
                                           TargetCase{"RightHalfTakesTheRest",
                                                      WindowLayout::rightHalf,
                                                      visible,
                                                      smallFrame,
                                                      {720, 30, 721, 870}},
                                           TargetCase{"RightHalfOfOffsetMonitor",
                                                      WindowLayout::rightHalf,
                                                      {720, 0, 720, 900},
                                                      smallFrame,
                                                      {1080, 0, 360, 900}},
                                           TargetCase{"Maximize", WindowLayout::maximize, visible,
                                                      smallFrame, visible},
                                           TargetCase{"CenterSmallerKeepsSize",
                                                      WindowLayout::center,
                                                      {0, 0, 1000, 800},
                                                      smallFrame,
                                                      {300, 250, 400, 300}},
                                           TargetCase{"CenterLargerShrinksToFit",
                                                      WindowLayout::center,
                                                      {0, 0, 1000, 800},
                                                      {0, 0, 1200, 900},
                                                      {0, 0, 1000, 800}},
                                           TargetCase{"CenterTallerKeepsWidth",
                                                      WindowLayout::center,
                                                      {0, 30, 1000, 870},
                                                      {10, 10, 400, 1000},
                                                      {300, 30, 400, 870}},
                                           TargetCase{"CenterNeverBelowOnePixel",
                                                      WindowLayout::center,
                                                      {0, 0, 1000, 800},
                                                      {5, 5, 0, 0},
                                                      {499, 399, 1, 1}},
                                           TargetCase{"HalfOfOnePixelStaysOnePixel",
                                                      WindowLayout::leftHalf,
                                                      {0, 0, 1, 10},
                                                      smallFrame,
                                                      {0, 0, 1, 10}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LayoutTargetTest, HalvesTileTheVisibleFrameExactly) {
    for (int width : {1000, 1001, 1439}) {
        const QRect area{7, 30, width, 500};
        const QRect left = layoutTarget(WindowLayout::leftHalf, area, smallFrame);
        const QRect right = layoutTarget(WindowLayout::rightHalf, area, smallFrame);
        EXPECT_EQ(left.right() + 1, right.left()) << width;
        EXPECT_EQ(left.width() + right.width(), width) << width;
        EXPECT_EQ(left.united(right), area) << width;
    }
}

QList<Monitor> monitors(std::initializer_list<QRect> frames) {
    QList<Monitor> result;
    for (const QRect& frame : frames)
        result.append({QString(), frame, frame.adjusted(0, 30, 0, 0)});
    return result;
}

TEST(MonitorIndexForTest, PicksTheMonitorWithTheLargestOverlap) {
    const auto two = monitors({{0, 0, 720, 900}, {720, 0, 720, 900}});
    struct Case {
        QRect frame;
        std::optional<qsizetype> main;
        std::optional<qsizetype> expected;
    };
    const Case cases[] = {
        {{600, 100, 400, 300}, 0, 1},     // mostly on the second
        {{620, 100, 200, 300}, 1, 0},     // equal overlaps keep the first
        {{3000, 3000, 100, 100}, 1, 1},   // on no monitor: the main one
        {{3000, 3000, 100, 100}, {}, {}}, // and no main monitor
    };
    for (const Case& c : cases)
        EXPECT_EQ(monitorIndexFor(c.frame, two, c.main), c.expected) << c.frame.x();
    EXPECT_EQ(monitorIndexFor({0, 0, 10, 10}, {}, 0), 0);
}

TEST(NextDisplayTargetTest, MovesToTheNextMonitorAndWraps) {
    const auto three = monitors({{0, 0, 720, 900}, {720, 0, 720, 900}, {1440, 0, 1000, 600}});
    // The third monitor wraps to the first, centred in its visible frame.
    EXPECT_EQ(nextDisplayTarget({1500, 100, 200, 100}, three, 0), QRect(260, 415, 200, 100));
    // Too wide for the second monitor: only the width shrinks.
    EXPECT_EQ(nextDisplayTarget({0, 100, 800, 300}, three, 0), QRect(720, 315, 720, 300));
    // Too tall for the third: only the height shrinks.
    EXPECT_EQ(nextDisplayTarget({720, 0, 300, 800}, three, 0), QRect(1790, 30, 300, 570));
}

TEST(NextDisplayTargetTest, NeedsTwoMonitorsAndAScreenForTheWindow) {
    EXPECT_EQ(nextDisplayTarget({0, 0, 100, 100}, monitors({{0, 0, 720, 900}}), 0), std::nullopt);
    EXPECT_EQ(nextDisplayTarget({5000, 0, 100, 100},
                                monitors({{0, 0, 720, 900}, {720, 0, 720, 900}}), std::nullopt),
              std::nullopt);
}

} // namespace
} // namespace vellaro
