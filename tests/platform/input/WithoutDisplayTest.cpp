#include "platform/input/QtXcbConnection.h"
#include "platform/input/XTestKeySender.h"
#include "platform/input/XcbButtonGrabber.h"
#include "platform/input/XcbHotKeyGrabber.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

// Off X (the offscreen platform here) every service answers "unavailable"
// instead of touching a connection that is not there.
TEST(InputWithoutDisplay, EveryServiceSaysUnavailable) {
    ASSERT_EQ(QtXcbConnection::connection(), nullptr);

    XcbHotKeyGrabber hotKeys;
    EXPECT_EQ(hotKeys.registerHotKey(0x31, 0x0800).status, HotKeyGrabber::statusUnavailable);
    hotKeys.unregisterHotKey(1);

    XcbButtonGrabber buttons;
    EXPECT_EQ(buttons.grab(1), ButtonGrabber::GrabResult::invalidButton);
    EXPECT_EQ(buttons.grab(2), ButtonGrabber::GrabResult::unavailable);
    buttons.suspend();
    EXPECT_EQ(buttons.resume(), ButtonGrabber::GrabResult::invalidButton);
    EXPECT_EQ(buttons.button(), std::nullopt);

    XTestKeySender keys;
    EXPECT_FALSE(keys.sendPaste());
    EXPECT_FALSE(keys.sendKey(XK_a, 0));
}

} // namespace
} // namespace vellaro
