#include "FakeSessionServices.h"
#include "model/LogCapture.h"
#include "platform/session/GSettings.h"
#include "platform/session/SystemActions/DarkModeToggle.h"
#include "platform/session/SystemActions/DoNotDisturbRunner.h"
#include "platform/session/SystemActions/ToolLauncher.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

// A desktop without GNOME's schemas (the test runs with empty schema folders):
// GIO would stop the process on an unknown schema; the actions only log.
TEST(WithoutSchemasTest, DarkModeLogsAndCarriesOn) {
    ASSERT_FALSE(GSettings::hasKey("org.gnome.desktop.interface", "color-scheme"));
    test::LogCapture log("vellaro.actions");
    EXPECT_FALSE(DarkModeToggle::toggle());
    EXPECT_EQ(log.count("Dark Mode needs the desktop setting"), 1);
}

TEST(WithoutSchemasTest, GnomesDoNotDisturbAsksForSetup) {
    test::FakeServiceBus services(QStringLiteral("fake-notifications"));
    test::FakeNotificationServer server;
    server.name = QStringLiteral("gnome-shell");
    server.vendor = QStringLiteral("GNOME");
    ASSERT_TRUE(services.serve(QStringLiteral("org.freedesktop.Notifications"),
                               QStringLiteral("/org/freedesktop/Notifications"), &server));
    QObject shell;
    ASSERT_TRUE(services.serve(QStringLiteral("org.gnome.Shell"),
                               QStringLiteral("/org/gnome/Shell"), &shell));
    ToolLauncher launcher({});
    DoNotDisturbRunner runner(QDBusConnection::sessionBus(), launcher);
    int setupShown = 0;
    runner.setOnNeedsSetup([&] { ++setupShown; });
    test::LogCapture log("vellaro.actions");
    runner.toggle();
    ASSERT_TRUE(test::waitUntil([&] { return setupShown == 1; }));
    EXPECT_EQ(log.count("Could not switch Do Not Disturb"), 1);
}

} // namespace
} // namespace vellaro
