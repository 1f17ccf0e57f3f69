#include "platform/windows/X11WindowAccessTrust.h"
#include "support/ManualScheduler.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

// Under the test session (X server with openbox) window access is granted;
// without an X display (offscreen) it never is.
TEST(X11WindowAccessTrustTest, TrustedOnlyWithAnEwmhWindowManager) {
    test::ManualScheduler scheduler;
    X11WindowAccessTrust trust(scheduler);
    const bool x11 = QGuiApplication::platformName() == QStringLiteral("xcb");
    EXPECT_EQ(trust.isTrusted(), x11);
    EXPECT_EQ(trust.isTrusted(), x11) << "asked again";
}

} // namespace
} // namespace vellaro
