// The windows section on a display of its own whose window manager dies
// after the section started: the root keeps the dead manager's check
// property, and only its check window's destruction tells.
#include "model/LogCapture.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "platform/windows/X11WindowSystem.h"
#include "support/ManualScheduler.h"
#include "support/PrivateDisplayMain.h"
#include "support/PrivateXSession.h"
#include "support/WaitUntil.h"
#include "workspaces/WindowsProvider.h"

#include <gtest/gtest.h>

using namespace vellaro;
using namespace vellaro::test;

namespace {

PrivateXSession* display = nullptr;

TEST(WindowManagerGone, AKilledWindowManagerWithdrawsAccessAndSaysSo) {
    ASSERT_TRUE(display->startWindowManager());
    X11WindowSystem system{X11Connection::qt()};
    WindowAccess access{system, [](const ClientWindow& w) { return w.wmClass; },
                        [](const QString&) { return QString(); }, 0};
    // Time moves only when the test says: nothing is polled.
    ManualScheduler scheduler;
    X11WindowAccessTrust trust{scheduler};
    WindowsProvider provider{access, trust, scheduler, [] {}};
    ASSERT_TRUE(provider.wasTrusted());
    int changes = 0;
    provider.setOnChange([&] { ++changes; });
    LogCapture log("vellaro.windows");

    // openbox writes its check property once more as it settles: that
    // re-check comes and goes without a change before the kill.
    if (waitUntil([&] { return scheduler.pendingCount() == 1; }, 3000))
        scheduler.advance(X11WindowAccessTrust::recheckDelay);
    ASSERT_EQ(scheduler.pendingCount(), 0u);
    ASSERT_EQ(changes, 0);

    display->killWindowManager();
    ASSERT_TRUE(waitUntil([&] { return scheduler.pendingCount() == 1; }))
        << "the check window's destruction was seen and a re-check planned";
    scheduler.advance(X11WindowAccessTrust::recheckDelay);
    scheduler.advance(WindowsProvider::recheckDelay);

    EXPECT_FALSE(provider.wasTrusted());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(log.count("Window access changed: 0"), 1) << log.lines().join('\n').toStdString();
    ASSERT_EQ(provider.items().size(), 1u);
    EXPECT_EQ(provider.items()[0].label(), "Enable Window Access");

    // A new one is noticed the same way, through the root's property.
    ASSERT_TRUE(display->startWindowManager());
    ASSERT_TRUE(waitUntil([&] { return scheduler.pendingCount() == 1; }));
    scheduler.advance(X11WindowAccessTrust::recheckDelay);
    scheduler.advance(WindowsProvider::recheckDelay);
    EXPECT_TRUE(provider.wasTrusted());
    EXPECT_EQ(changes, 2);
}

} // namespace

int main(int argc, char** argv) {
    return runTestsOnPrivateDisplay(argc, argv, display);
}
