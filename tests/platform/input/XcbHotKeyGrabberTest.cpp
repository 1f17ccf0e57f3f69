#include "EventPump.h"
#include "support/XcbTestClient.h"

#include "platform/input/MacKeyCodes.h"
#include "platform/input/QtXcbConnection.h"
#include "platform/input/XcbHotKeyGrabber.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QKeyEvent>
#include <QWidget>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vellaro {
namespace {

using test::pumpFor;
using test::pumpUntil;
using test::XcbTestClient;

// Ctrl+Alt+Shift on function keys: bound by no desktop the session runs, and
// other tests of the session do not press them.
constexpr std::uint32_t kCarbonMods =
    MacKeyCodes::controlKey | MacKeyCodes::optionKey | MacKeyCodes::shiftKey;
constexpr std::uint16_t kXMods =
    MacKeyCodes::xControlMask | MacKeyCodes::xMod1Mask | MacKeyCodes::xShiftMask;
constexpr std::uint32_t kMacF9 = 0x65;
constexpr std::uint32_t kMacF10 = 0x6D;
constexpr std::uint32_t kMacF11 = 0x67;
constexpr std::uint32_t kMacF12 = 0x6F;
constexpr std::uint32_t kModifierKeys[] = {XK_Control_L, XK_Alt_L, XK_Shift_L};

// Counts the key presses of one keycode that reach Qt's connection, before
// any other filter sees them.
class KeyPressCounter final : public QAbstractNativeEventFilter {
public:
    explicit KeyPressCounter(std::uint8_t keycode) : keycode_(keycode) {
        QAbstractEventDispatcher::instance()->installNativeEventFilter(this);
    }
    ~KeyPressCounter() override {
        QAbstractEventDispatcher::instance()->removeNativeEventFilter(this);
    }
    int count() const { return count_; }

private:
    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) == XCB_KEY_PRESS &&
            reinterpret_cast<const xcb_key_press_event_t*>(event)->detail == keycode_)
            ++count_;
        return false;
    }
    std::uint8_t keycode_;
    int count_ = 0;
};

class XcbHotKeyGrabberTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(QtXcbConnection::connection(), nullptr) << "needs the X session";
        grabber_.setHandlers([this](HotKeyGrabber::HotKeyId id) { pressed_.push_back(id); },
                             [this](HotKeyGrabber::HotKeyId id) { released_.push_back(id); });
    }

    HotKeyGrabber::HotKeyId registerKey(std::uint32_t macKeyCode) {
        const HotKeyGrabber::Registration registration =
            grabber_.registerHotKey(macKeyCode, kCarbonMods);
        EXPECT_EQ(registration.status, HotKeyGrabber::statusOk);
        EXPECT_NE(registration.id, 0u);
        return registration.id;
    }

    void modifiers(bool press) {
        for (const std::uint32_t keysym : kModifierKeys)
            user_.key(keysym, press);
    }

    // Ctrl+Alt+Shift+key pressed and released, all keys let go in reverse.
    void tap(std::uint8_t keycode) {
        modifiers(true);
        user_.keycode(keycode, true);
        user_.keycode(keycode, false);
        modifiers(false);
    }

    bool waitForPresses(std::size_t count) {
        return pumpUntil([&] { return pressed_.size() >= count; });
    }
    bool waitForReleases(std::size_t count) {
        return pumpUntil([&] { return released_.size() >= count; });
    }

    XcbTestClient user_;
    XcbHotKeyGrabber grabber_;
    std::vector<HotKeyGrabber::HotKeyId> pressed_;
    std::vector<HotKeyGrabber::HotKeyId> released_;
};

TEST_F(XcbHotKeyGrabberTest, HeldKeyGivesOnePressAndOneRelease) {
    const auto id = registerKey(kMacF9);
    const std::uint8_t f9 = user_.keycodeFor(XK_F9);
    user_.setKeyRepeat(50, 20);
    const KeyPressCounter counter(f9);

    modifiers(true);
    user_.keycode(f9, true);
    pumpFor(300);
    user_.keycode(f9, false);
    modifiers(false);

    ASSERT_TRUE(waitForReleases(1));
    ASSERT_GT(counter.count(), 1) << "the server did not repeat the held key";
    EXPECT_EQ(pressed_, std::vector{id});
    EXPECT_EQ(released_, std::vector{id});
}

TEST_F(XcbHotKeyGrabberTest, ReleaseCountsWhenTheModifiersAreLetGoFirst) {
    const auto id = registerKey(kMacF9);
    const std::uint8_t f9 = user_.keycodeFor(XK_F9);

    modifiers(true);
    user_.keycode(f9, true);
    modifiers(false);
    ASSERT_TRUE(waitForPresses(1));
    EXPECT_TRUE(released_.empty());
    user_.keycode(f9, false);

    ASSERT_TRUE(waitForReleases(1));
    EXPECT_EQ(pressed_, std::vector{id});
    EXPECT_EQ(released_, std::vector{id});
}

TEST_F(XcbHotKeyGrabberTest, CapsLockAndNumLockDoNotBreakTheKey) {
    registerKey(kMacF9);
    const std::uint8_t f9 = user_.keycodeFor(XK_F9);
    std::size_t expected = 0;
    for (const std::uint32_t lock : {XK_Caps_Lock, XK_Num_Lock}) {
        SCOPED_TRACE(lock == XK_Caps_Lock ? "Caps Lock" : "Num Lock");
        user_.key(lock, true); // lock on
        user_.key(lock, false);
        tap(f9);
        user_.key(lock, true); // lock off
        user_.key(lock, false);
        ++expected;
        EXPECT_TRUE(waitForReleases(expected));
        EXPECT_EQ(pressed_.size(), expected);
    }
}

TEST_F(XcbHotKeyGrabberTest, KeyHeldByAnotherClientIsRefusedAndTheOldKeyStays) {
    const auto id = registerKey(kMacF9);
    XcbTestClient other;
    const std::uint8_t f10 = other.keycodeFor(XK_F10);
    ASSERT_TRUE(other.grabKey(f10, kXMods));

    const HotKeyGrabber::Registration refused = grabber_.registerHotKey(kMacF10, kCarbonMods);
    EXPECT_EQ(refused.status, HotKeyGrabber::statusKeyTaken);
    EXPECT_EQ(refused.id, 0u);
    // The Caps Lock variant was free; it must have been given back.
    EXPECT_TRUE(other.grabKey(f10, kXMods | MacKeyCodes::xLockMask));

    tap(user_.keycodeFor(XK_F9));
    ASSERT_TRUE(waitForReleases(1));
    EXPECT_EQ(pressed_, std::vector{id});
}

TEST_F(XcbHotKeyGrabberTest, KeyCodesWithoutAKeyAreRefused) {
    // Fn, Command and an unused code have no keysym.
    for (const std::uint32_t code : {0x3Fu, 0x37u, 0x34u}) {
        const HotKeyGrabber::Registration registration =
            grabber_.registerHotKey(code, MacKeyCodes::optionKey);
        EXPECT_EQ(registration.status, HotKeyGrabber::statusInvalidKey) << code;
        EXPECT_EQ(registration.id, 0u);
    }
}

TEST_F(XcbHotKeyGrabberTest, SameKeyTwiceSurvivesUnregisteringOne) {
    const auto first = registerKey(kMacF9);
    const auto second = registerKey(kMacF9);
    EXPECT_NE(first, second);
    grabber_.unregisterHotKey(first);

    const std::uint8_t f9 = user_.keycodeFor(XK_F9);
    tap(f9);
    ASSERT_TRUE(waitForReleases(1));
    EXPECT_EQ(pressed_, std::vector{second});

    grabber_.unregisterHotKey(second);
    XcbTestClient other;
    EXPECT_TRUE(other.grabKey(f9, kXMods)) << "the key is still grabbed";
}

TEST_F(XcbHotKeyGrabberTest, KeyFollowsAKeyboardMappingChange) {
    const auto id = registerKey(kMacF11);
    const std::optional<std::uint8_t> spare = user_.unusedKeycode();
    ASSERT_TRUE(spare) << "the keyboard has no unused keycode";
    user_.setKeysym(*spare, XK_F11);

    // The grabber learns of the change through the event loop; the other
    // client sees the new grab as soon as it is in place.
    XcbTestClient other;
    ASSERT_TRUE(pumpUntil([&] { return other.isKeyGrabbedElsewhere(*spare, kXMods); }));

    tap(*spare);
    ASSERT_TRUE(waitForReleases(1));
    EXPECT_EQ(pressed_, std::vector{id});
}

// A window of ours holding the keyboard, as the open dial does.
class GrabbingWindow : public QWidget {
public:
    GrabbingWindow() {
        setGeometry(40, 40, 120, 120);
        show();
    }
    int triggerKeyEvents = 0; // the modifiers may come through, the key must not

protected:
    void keyPressEvent(QKeyEvent* event) override { count(event); }
    void keyReleaseEvent(QKeyEvent* event) override { count(event); }

private:
    void count(const QKeyEvent* event) {
        if (event->key() == Qt::Key_F12)
            ++triggerKeyEvents;
    }
};

TEST_F(XcbHotKeyGrabberTest, KeyArrivesThroughOurOwnKeyboardGrab) {
    const auto id = registerKey(kMacF12);
    GrabbingWindow window;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.grabKeyboard();
    ASSERT_TRUE(user_.isKeyboardGrabbedElsewhere());

    tap(user_.keycodeFor(XK_F12));
    ASSERT_TRUE(waitForReleases(1));
    window.releaseKeyboard();
    EXPECT_EQ(pressed_, std::vector{id});
    EXPECT_EQ(released_, std::vector{id});
    EXPECT_EQ(window.triggerKeyEvents, 0) << "the window saw the trigger key";
}

TEST_F(XcbHotKeyGrabberTest, ReleaseGoingToAnotherWindowStillEndsThePress) {
    const auto id = registerKey(kMacF12);
    const std::uint8_t f12 = user_.keycodeFor(XK_F12);
    GrabbingWindow window;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    modifiers(true);
    user_.keycode(f12, true);
    ASSERT_TRUE(waitForPresses(1));
    // The dial opened and closed while the key was down: its keyboard grab
    // replaced the passive one, and the focus belongs to another program.
    window.grabKeyboard();
    ASSERT_TRUE(user_.isKeyboardGrabbedElsewhere());
    window.releaseKeyboard();
    ASSERT_TRUE(pumpUntil([&] { return !user_.isKeyboardGrabbedElsewhere(); }));
    user_.focusOwnWindow();
    user_.keycode(f12, false);
    modifiers(false);
    ASSERT_TRUE(waitForReleases(1));

    tap(f12);
    ASSERT_TRUE(waitForReleases(2));
    EXPECT_EQ(pressed_, (std::vector{id, id}));
}

} // namespace
} // namespace vellaro
