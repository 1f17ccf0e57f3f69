#include "platform/windows/X11WindowAccessTrust.h"
#include "support/ManualScheduler.h"
#include "support/WaitUntil.h"
#include "support/XcbAtom.h"
#include "support/XcbTestClient.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cstdlib>

namespace vellaro {
namespace {

bool onX11() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

// Under the test session (X server with openbox) window access is granted;
// without an X display (offscreen) it never is.
TEST(X11WindowAccessTrustTest, TrustedOnlyWithAnEwmhWindowManager) {
    test::ManualScheduler scheduler;
    X11WindowAccessTrust trust(scheduler);
    const bool x11 = onX11();
    EXPECT_EQ(trust.isTrusted(), x11);
    EXPECT_EQ(trust.isTrusted(), x11) << "asked again";
}

TEST(X11WindowAccessTrustTest, TrustedOnAConnectionOfItsOwn) {
    if (!onX11())
        GTEST_SKIP() << "needs the session's X server";
    test::XcbTestClient client;
    test::ManualScheduler scheduler;
    X11WindowAccessTrust trust(scheduler, client.connection());
    EXPECT_TRUE(trust.isTrusted());
}

// The window manager's check property rewritten with the same window: the
// answer is asked again after the delay and, unchanged, not announced.
TEST(X11WindowAccessTrustTest, ARewrittenCheckIsAskedAgainWithoutAChange) {
    if (!onX11())
        GTEST_SKIP() << "needs the session's X server";
    test::ManualScheduler scheduler;
    X11WindowAccessTrust trust(scheduler);
    ASSERT_TRUE(trust.isTrusted());
    QSignalSpy changed(&trust, &WindowAccessTrust::changed);

    test::XcbTestClient client;
    xcb_connection_t* c = client.connection();
    const std::uint32_t atom = test::internAtom(c, "_NET_SUPPORTING_WM_CHECK");
    xcb_get_property_reply_t* check = xcb_get_property_reply(
        c, xcb_get_property(c, 0, client.root(), atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
    ASSERT_TRUE(check && xcb_get_property_value_length(check) == 4);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, client.root(), atom, XCB_ATOM_WINDOW, 32, 1,
                        xcb_get_property_value(check));
    client.sync();
    std::free(check);

    ASSERT_TRUE(test::waitUntil([&] { return scheduler.pendingCount() == 1; }));
    scheduler.advance(X11WindowAccessTrust::recheckDelay - std::chrono::milliseconds(1));
    EXPECT_EQ(scheduler.pendingCount(), 1u) << "not before the delay";
    scheduler.advance(std::chrono::milliseconds(1));
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(trust.isTrusted());
}

} // namespace
} // namespace vellaro
