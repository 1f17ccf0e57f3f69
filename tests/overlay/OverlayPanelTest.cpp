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

#include <atomic>
#include <chrono>
#include <memory>
#include <poll.h>
#include <thread>

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

// Another client that acts the moment the panel maps, as a quick hand (or a
// benchmark) does: it notes where the panel mapped and taps Escape at once.
class MapWatcher {
public:
    explicit MapWatcher(xcb_window_t panel) : c_(xcb_connect(nullptr, nullptr)), panel_(panel) {
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, screen_->root, XCB_CW_EVENT_MASK, &mask);
        free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); // selected now
        thread_ = std::thread([this] { watch(); });
    }
    ~MapWatcher() {
        thread_.join();
        xcb_disconnect(c_);
    }
    // Where the panel stood when it mapped; set once the tap is sent.
    std::atomic<bool> tapped{false};
    QPoint mappedAt;

private:
    void watch() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            xcb_generic_event_t* event = xcb_poll_for_event(c_);
            if (!event) {
                pollfd fd{xcb_get_file_descriptor(c_), POLLIN, 0};
                ::poll(&fd, 1, 50);
                continue;
            }
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                                reinterpret_cast<xcb_map_notify_event_t*>(event)->window == panel_;
            free(event);
            if (!mapped)
                continue;
            xcb_test_fake_input(c_, XCB_KEY_PRESS, 9, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            xcb_test_fake_input(c_, XCB_KEY_RELEASE, 9, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            auto* geometry = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, panel_), nullptr);
            if (geometry)
                mappedAt = QPoint(geometry->x, geometry->y);
            free(geometry);
            tapped = true;
            return;
        }
    }

    xcb_connection_t* c_;
    xcb_screen_t* screen_;
    xcb_window_t panel_;
    std::thread thread_;
};

// Escape tapped the moment the dial maps closes it: the grab is taken with
// the map, before any other client can answer it, and the panel maps where
// it is presented.
TEST_F(OverlayPanelTest, KeyTappedAsThePanelMapsReachesTheDial) {
    const xcb_window_t typing = other.openWindow();
    other.focusWindow(typing);
    ASSERT_TRUE(test::waitUntil([&] { return other.focus() == typing; }));
    for (int run = 0; run < 20; ++run) {
        const QPoint at(300 + (run % 4) * 40, 150 + (run % 3) * 30);
        {
            MapWatcher watcher(static_cast<xcb_window_t>(panel->winId()));
            panel->present(at);
            ASSERT_TRUE(test::waitUntil([&] { return watcher.tapped.load(); })) << "run " << run;
            EXPECT_EQ(watcher.mappedAt, at) << "run " << run;
        }
        EXPECT_TRUE(
            test::waitUntil([&] { return recorder->keys.size() == std::size_t(run + 1); }, 2000))
            << "run " << run << ": the key went to the window that had the focus";
        EXPECT_TRUE(panel->holdsGrab());
        panel->dismiss();
        recorder->keys.resize(std::size_t(run + 1));
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
