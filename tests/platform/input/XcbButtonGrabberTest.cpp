#include "EventPump.h"
#include "support/XcbTestClient.h"

#include "platform/input/QtXcbConnection.h"
#include "platform/input/XcbButtonGrabber.h"

#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace vellaro {
namespace {

using test::pumpUntil;
using test::XcbTestClient;
using Result = ButtonGrabber::GrabResult;

// Another program's window under the pointer, away from other tests' windows.
constexpr int kProbeX = 900;
constexpr int kProbeY = 500;

class XcbButtonGrabberTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(QtXcbConnection::connection(), nullptr) << "needs the X session";
        grabber_.setHandlers([this] { ++presses_; }, [this] { ++releases_; });
        other_.createButtonWindow(kProbeX, kProbeY, 200, 200);
        user_.movePointer(kProbeX + 100, kProbeY + 100);
    }

    void click(int xButton) {
        user_.button(xButton, true);
        user_.button(xButton, false);
    }

    bool waitForReleases(int count) {
        return pumpUntil([&] { return releases_ >= count; });
    }

    XcbTestClient user_;
    XcbTestClient other_;
    XcbButtonGrabber grabber_;
    int presses_ = 0;
    int releases_ = 0;
};

TEST_F(XcbButtonGrabberTest, GrabbedButtonReachesOnlyUs) {
    ASSERT_EQ(grabber_.grab(3), Result::grabbed); // X button 8
    EXPECT_EQ(grabber_.button(), 3);
    click(8);
    ASSERT_TRUE(waitForReleases(1));
    EXPECT_EQ(presses_, 1);
    EXPECT_EQ(other_.takeButtonEvents(), std::vector<int>{});

    // The wheel is never the trigger: it passes to the window, and the
    // click after it shows nothing of it reached us.
    click(4);
    click(5);
    click(8);
    ASSERT_TRUE(waitForReleases(2));
    EXPECT_EQ(presses_, 2);
    EXPECT_EQ(other_.takeButtonEvents(), (std::vector{4, 4, 5, 5}));

    grabber_.ungrab();
    EXPECT_EQ(grabber_.button(), std::nullopt);
    click(8);
    EXPECT_EQ(other_.takeButtonEvents(), (std::vector{8, 8}));
}

TEST_F(XcbButtonGrabberTest, SuspendLetsTheButtonThroughAndResumeTakesTheNewOne) {
    ASSERT_EQ(grabber_.grab(2), Result::grabbed);
    grabber_.suspend();
    EXPECT_TRUE(grabber_.isSuspended());
    click(2);
    EXPECT_EQ(other_.takeButtonEvents(), (std::vector{2, 2}));

    // A settings save while suspended records the button without taking it.
    EXPECT_EQ(grabber_.grab(4), Result::pending);
    EXPECT_EQ(grabber_.button(), 4);
    click(9);
    EXPECT_EQ(other_.takeButtonEvents(), (std::vector{9, 9}));

    EXPECT_EQ(grabber_.resume(), Result::grabbed);
    EXPECT_FALSE(grabber_.isSuspended());
    click(2);
    click(9);
    ASSERT_TRUE(waitForReleases(1));
    EXPECT_EQ(presses_, 1);
    EXPECT_EQ(other_.takeButtonEvents(), (std::vector{2, 2}));
}

TEST_F(XcbButtonGrabberTest, ButtonHeldByAnotherClientIsRefused) {
    ASSERT_TRUE(other_.grabButton(10, 0));
    EXPECT_EQ(grabber_.grab(5), Result::buttonTaken);
    EXPECT_EQ(grabber_.button(), std::nullopt);
    // Nothing is left configured: resuming takes nothing.
    grabber_.suspend();
    EXPECT_EQ(grabber_.resume(), Result::invalidButton);
    EXPECT_EQ(grabber_.grab(3), Result::grabbed);
}

TEST_F(XcbButtonGrabberTest, ButtonsOutsideTheTriggerRangeAreRefused) {
    ASSERT_EQ(grabber_.grab(3), Result::grabbed);
    for (const int cg : {-1, 0, 1, 32})
        EXPECT_EQ(grabber_.grab(cg), Result::invalidButton) << cg;
    // The refused grab replaced the old one.
    click(8);
    EXPECT_EQ(other_.takeButtonEvents(), (std::vector{8, 8}));
}

// A window of ours holding the pointer, as the open dial does.
class PointerGrabbingWindow : public QWidget {
public:
    PointerGrabbingWindow() {
        setWindowFlag(Qt::X11BypassWindowManagerHint);
        setGeometry(kProbeX + 50, kProbeY + 50, 100, 100);
        show();
    }
    int mouseEvents = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++mouseEvents; }
    void mouseReleaseEvent(QMouseEvent*) override { ++mouseEvents; }
};

TEST_F(XcbButtonGrabberTest, ButtonArrivesThroughOurOwnPointerGrab) {
    ASSERT_EQ(grabber_.grab(4), Result::grabbed); // X button 9
    PointerGrabbingWindow window;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.grabMouse();
    ASSERT_TRUE(user_.isPointerGrabbedElsewhere());

    click(9);
    ASSERT_TRUE(waitForReleases(1));
    window.releaseMouse();
    EXPECT_EQ(presses_, 1);
    EXPECT_EQ(window.mouseEvents, 0) << "the window saw the trigger button";
    EXPECT_EQ(other_.takeButtonEvents(), std::vector<int>{});
}

} // namespace
} // namespace vellaro
