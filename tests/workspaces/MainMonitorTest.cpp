#include "workspaces/MainMonitor.h"

#include "support/FakeWindowSystem.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

// Two monitors side by side, the right one with a 30 px panel at its top.
struct MainMonitorCase {
    const char* name;
    std::optional<QRect> activeFrame; // none: no active window
    std::optional<QPoint> pointer;
    QRect expected;
};

const QRect left(0, 0, 1920, 1080);
const QRect right(1920, 0, 1280, 1024);
const QRect rightVisible(1920, 30, 1280, 994);

class MainMonitorTable : public ::testing::TestWithParam<MainMonitorCase> {};

TEST_P(MainMonitorTable, FollowsTheActiveWindowThenThePointer) {
    const MainMonitorCase& row = GetParam();
    test::FakeWindowSystem windows;
    windows.monitorList = {{"L", left, left}, {"R", right, rightVisible}};
    if (row.activeFrame) {
        windows.windows.append(ClientWindow{7, "Active", 1, true, false, {}, {}, {}, {}});
        windows.frameOf.insert(7, *row.activeFrame);
        windows.active = 7;
    }
    windows.pointer = row.pointer;
    EXPECT_EQ(mainMonitorVisibleFrame(windows), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MainMonitorTable,
    ::testing::Values(MainMonitorCase{"ActiveWindowMostlyOnTheRight", QRect(1800, 100, 800, 600),
                                      QPoint(10, 10), rightVisible},
                      MainMonitorCase{"ActiveWindowMostlyOnTheLeft", QRect(1500, 100, 800, 600),
                                      QPoint(2500, 10), left},
                      MainMonitorCase{"ActiveWindowOffEveryMonitorFallsToThePointer",
                                      QRect(5000, 5000, 10, 10), QPoint(2500, 10), rightVisible},
                      MainMonitorCase{"NoActiveWindow", std::nullopt, QPoint(2500, 10),
                                      rightVisible},
                      MainMonitorCase{"NeitherGivesTheFirst", std::nullopt, std::nullopt, left}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainMonitor, NoMonitorsGiveNothing) {
    test::FakeWindowSystem windows;
    windows.pointer = QPoint(1, 1);
    EXPECT_TRUE(mainMonitorVisibleFrame(windows).isNull());
}

} // namespace
} // namespace vellaro
