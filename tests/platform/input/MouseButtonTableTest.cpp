#include "platform/input/MouseButtonTable.h"

#include <gtest/gtest.h>

#include <optional>

namespace vellaro {
namespace {

struct ButtonCase {
    int cg;
    int x;
};

class MouseButtonTableCase : public testing::TestWithParam<ButtonCase> {};

TEST_P(MouseButtonTableCase, TranslatesBothWays) {
    const ButtonCase& c = GetParam();
    EXPECT_EQ(MouseButtonTable::xButtonForCgButton(c.cg), c.x);
    EXPECT_EQ(MouseButtonTable::cgButtonForXButton(c.x), c.cg);
}

INSTANTIATE_TEST_SUITE_P(Buttons, MouseButtonTableCase,
                         testing::Values(ButtonCase{2, 2}, ButtonCase{3, 8}, ButtonCase{4, 9},
                                         ButtonCase{5, 10}, ButtonCase{6, 11}, ButtonCase{31, 36}));

TEST(MouseButtonTable, CgButtonsOutsideTheTriggerRangeAreRefused) {
    for (const int cg : {-1, 0, 1, 32, 1000, -2147483647 - 1, 2147483647})
        EXPECT_EQ(MouseButtonTable::xButtonForCgButton(cg), std::nullopt) << cg;
}

TEST(MouseButtonTable, LeftRightWheelAndHighXButtonsAreNoTrigger) {
    for (const int x : {0, 1, 3, 4, 5, 6, 7, 37, 255, -1})
        EXPECT_EQ(MouseButtonTable::cgButtonForXButton(x), std::nullopt) << x;
}

} // namespace
} // namespace vellaro
