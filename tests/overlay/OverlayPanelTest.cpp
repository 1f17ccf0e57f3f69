#include "overlay/OverlayPanel.h"

#include "support/ManualScheduler.h"
#include "support/WaitUntil.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <memory>

namespace vellaro {
namespace {

// Records what reaches the panel's content.
class Recorder : public QWidget {
public:
    std::vector<QPoint> presses;
    std::vector<int> keys;

protected:
    void mousePressEvent(QMouseEvent* e) override { presses.push_back(e->position().toPoint()); }
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};

// Another X client: the window the user was typing in, and the hands that
// press keys and buttons.
class OtherClient {
public:
    OtherClient() : c_(xcb_connect(nullptr, nullptr)) {
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
    }
    ~OtherClient() { xcb_disconnect(c_); }

    xcb_window_t openWindow() {
        const xcb_window_t w = xcb_generate_id(c_);
        // Override-redirect, so the window manager does not move the focus
        // around while it maps.
        const uint32_t values[] = {screen_->white_pixel, 1};
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, w, screen_->root, 0, 0, 300, 200, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(c_, w); // no window manager in the way: mapped at once
        xcb_flush(c_);
        return w;
    }

    void focusWindow(xcb_window_t w) {
        xcb_set_input_focus(c_, XCB_INPUT_FOCUS_POINTER_ROOT, w, XCB_CURRENT_TIME);
        xcb_flush(c_);
    }

    xcb_window_t focus() {
        auto* reply = xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr);
        const xcb_window_t w = reply ? reply->focus : XCB_NONE;
        free(reply);
        return w;
    }

    bool overrideRedirect(xcb_window_t w) {
        auto* attrs =
            xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr);
        const bool result = attrs && attrs->override_redirect;
        free(attrs);
        return result;
    }

    bool grabPointer() {
        auto* reply = xcb_grab_pointer_reply(
            c_,
            xcb_grab_pointer(c_, false, screen_->root, XCB_EVENT_MASK_BUTTON_PRESS,
                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE,
                             XCB_CURRENT_TIME),
            nullptr);
        const bool ok = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
        free(reply);
        return ok;
    }
    void ungrabPointer() {
        xcb_ungrab_pointer(c_, XCB_CURRENT_TIME);
        xcb_flush(c_);
    }

    void click(QPoint at, uint8_t button) {
        xcb_test_fake_input(c_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen_->root, at.x(),
                            at.y(), 0);
        xcb_test_fake_input(c_, XCB_BUTTON_PRESS, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(c_, XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(c_);
    }
    void tapKeycode(uint8_t keycode) {
        xcb_test_fake_input(c_, XCB_KEY_PRESS, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(c_, XCB_KEY_RELEASE, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(c_);
    }

private:
    xcb_connection_t* c_;
    xcb_screen_t* screen_;
};

class OverlayPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel = std::make_unique<OverlayPanel>(scheduler);
        panel->resize(480, 480);
        recorder = new Recorder;
        panel->setContent(recorder);
    }
    void TearDown() override { panel.reset(); }

    // Maps the panel and lets the grab retries run until it holds the grab.
    void presentAndGrab(QPoint topLeft) {
        panel->present(topLeft);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
        for (int i = 0; i < 20 && !panel->holdsGrab(); ++i) {
            QCoreApplication::processEvents();
            scheduler.advance(OverlayPanel::grabRetryInterval);
        }
        ASSERT_TRUE(panel->holdsGrab());
    }

    test::ManualScheduler scheduler;
    std::unique_ptr<OverlayPanel> panel;
    Recorder* recorder = nullptr;
    OtherClient other;
};

TEST_F(OverlayPanelTest, GrabsWithoutTakingTheFocusFromThePreviousWindow) {
    const xcb_window_t typing = other.openWindow();
    other.focusWindow(typing);
    ASSERT_TRUE(test::waitUntil([&] { return other.focus() == typing; }));

    presentAndGrab({400, 200});
    EXPECT_TRUE(other.overrideRedirect(panel->winId()));
    EXPECT_EQ(panel->pos(), QPoint(400, 200));
    EXPECT_EQ(other.focus(), typing);

    // Keys go to the dial while the other window keeps the focus.
    other.tapKeycode(9); // Escape
    ASSERT_TRUE(test::waitUntil([&] { return recorder->keys.size() == 1; }));
    EXPECT_EQ(recorder->keys.front(), Qt::Key_Escape);
    EXPECT_EQ(other.focus(), typing);

    panel->dismiss();
    EXPECT_FALSE(panel->isPresented());
    EXPECT_FALSE(panel->holdsGrab());
}

// A key pressed the moment the dial appears must reach it: the grab is taken
// as the panel maps, not on a later retry.
TEST_F(OverlayPanelTest, GrabIsHeldAsSoonAsThePanelIsPresented) {
    for (int run = 0; run < 5; ++run) {
        panel->present({400 + run * 10, 200});
        EXPECT_TRUE(panel->holdsGrab()) << "run " << run;
        other.tapKeycode(9); // Escape
        ASSERT_TRUE(test::waitUntil([&] { return recorder->keys.size() == std::size_t(run + 1); }))
            << "run " << run;
        panel->dismiss();
        EXPECT_FALSE(panel->holdsGrab());
    }
}

TEST_F(OverlayPanelTest, PressOutsideReachesTheContentAndKeepsThePanelUp) {
    presentAndGrab({400, 200});
    other.click({100, 100}, 1);
    ASSERT_TRUE(test::waitUntil([&] { return recorder->presses.size() == 1; }));
    EXPECT_EQ(recorder->presses.front(), QPoint(100 - 400, 100 - 200));
    EXPECT_TRUE(panel->isPresented());

    other.click({640, 440}, 1);
    ASSERT_TRUE(test::waitUntil([&] { return recorder->presses.size() == 2; }));
    EXPECT_EQ(recorder->presses.back(), QPoint(240, 240));
}

TEST_F(OverlayPanelTest, GrabHeldElsewhereIsRetriedThenThePanelHides) {
    ASSERT_TRUE(other.grabPointer());
    QSignalSpy failed(panel.get(), &OverlayPanel::grabFailed);

    panel->present({400, 200});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    scheduler.advance(OverlayPanel::grabRetryWindow / 2);
    EXPECT_TRUE(panel->isPresented());
    EXPECT_EQ(failed.count(), 0);

    scheduler.advance(OverlayPanel::grabRetryWindow);
    EXPECT_FALSE(panel->isPresented());
    EXPECT_EQ(failed.count(), 1);
    other.ungrabPointer();
}

TEST_F(OverlayPanelTest, GrabReleasedByTheOtherClientInTimeIsTaken) {
    ASSERT_TRUE(other.grabPointer());
    panel->present({400, 200});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    scheduler.advance(OverlayPanel::grabRetryWindow / 3);
    EXPECT_FALSE(panel->holdsGrab());
    other.ungrabPointer();
    scheduler.advance(OverlayPanel::grabRetryInterval);
    EXPECT_TRUE(panel->holdsGrab());
    EXPECT_TRUE(panel->isPresented());
}

} // namespace
} // namespace vellaro
