#include "onboarding/HapticsNudge.h"
#include "model/SettingsStore.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "support/ManualScheduler.h"
#include "support/TestCertificates.h"
#include "support/TlsTestServers.h"
#include "support/WaitUntil.h"
#include "support/WriteTextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace vellaro;
using namespace vellaro::test;

namespace {

// Real settings and defaults in a temporary folder, a HID device tree and
// plug-in folder there, and the real haptics client against a loopback
// stand-in for the plug-in (or a closed port).
struct NudgeTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(certificates.error().isEmpty()) << certificates.error().toStdString();
    }

    void attachMouse(const char* name) {
        ASSERT_TRUE(
            writeTextFile(QDir(hidRoot).filePath("0003:046D:B034.0001/uevent"),
                          QByteArray("HID_ID=0003:0000046D:0000B034\nHID_NAME=") + name + "\n"));
    }

    HapticsNudge::Services services(MouseHapticsClient& haptics) {
        return {defaults,
                settings,
                scheduler,
                haptics,
                [this] { return MouseHapticsClient::isMXMasterConnected(HidDevices(hidRoot)); },
                [this] { return MouseHapticsClient::isPluginFolderPresent(dataHome); },
                [this] { ++consoleOpened; }};
    }

    const TestCertificates& certificates = pluginCertificates();
    QTemporaryDir folder;
    Notifications hub;
    SettingsStore settings{folder.path(), hub};
    Defaults defaults{folder.path() + "/defaults.ini"};
    ManualScheduler scheduler;
    const QString hidRoot = folder.filePath("hid");
    const QString dataHome = folder.filePath("data");
    int consoleOpened = 0;
};

TEST_F(NudgeTest, ShownOnceOnlyWhenEveryTestPassesAndThePluginIsSilent) {
    struct Case {
        const char* name;
        bool alreadyShown, hapticsOn, folder;
        const char* mouse; // none: no vendor device
        bool pluginAnswers;
        bool probed, shown;
    };
    const Case cases[] = {
        {"silent plug-in", false, true, false, "Logitech MX Master 4", false, true, true},
        {"answering plug-in", false, true, false, "Logitech MX Master 3S", true, true, false},
        {"already shown", true, true, false, "Logitech MX Master 4", false, false, false},
        {"haptics off", false, false, false, "Logitech MX Master 4", false, false, false},
        {"plug-in folder", false, true, true, "Logitech MX Master 4", false, false, false},
        {"another mouse", false, true, false, "Logitech MX Anywhere 3", false, false, false},
        {"no device", false, true, false, nullptr, false, false, false},
    };
    for (const Case& c : cases) {
        QDir(hidRoot).removeRecursively();
        QDir(dataHome).removeRecursively();
        defaults.remove(HapticsNudge::shownKey);
        if (c.alreadyShown)
            defaults.setValue(HapticsNudge::shownKey, true);
        settings.update([&](VellaroSettings& s) { s.hapticsEnabled = c.hapticsOn; });
        if (c.folder) {
            ASSERT_TRUE(QDir().mkpath(MouseHapticsClient::pluginFolderPath(dataHome)));
        }
        QDir().mkpath(hidRoot);
        if (c.mouse)
            attachMouse(c.mouse);
        // A silent plug-in is a closed port.
        PluginServer answering(certificates.pluginLeaf());
        MouseHapticsClient haptics(scheduler, QStringLiteral("127.0.0.1"),
                                   c.pluginAnswers ? answering.port() : closedPort(),
                                   QList{certificates.ca()});
        HapticsNudge nudge(services(haptics));
        nudge.showIfNeeded();
        if (c.probed) {
            ASSERT_TRUE(waitUntil([&] {
                return nudge.panel() != nullptr || answering.requestCount() > 0;
            })) << c.name;
        } else {
            QTest::qWait(50);
        }
        EXPECT_EQ(answering.requestCount(), c.probed && c.pluginAnswers ? 1 : 0) << c.name;
        EXPECT_EQ(nudge.panel() != nullptr, c.shown) << c.name;
        EXPECT_EQ(defaults.boolValue(HapticsNudge::shownKey), c.shown || c.alreadyShown) << c.name;
    }
}

TEST_F(NudgeTest, GoesAfterItsTimeOrOpensTheConsoleOnClick) {
    MouseHapticsClient haptics(scheduler, QStringLiteral("127.0.0.1"), closedPort());
    HapticsNudge nudge(services(haptics));
    nudge.present();
    ASSERT_TRUE(nudge.panel());
    EXPECT_FALSE(nudge.panel()->isActiveWindow());
    scheduler.advance(HapticsNudge::showFor);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(nudge.panel() && nudge.panel()->isVisible());
    EXPECT_EQ(consoleOpened, 0);

    // A click just before the time runs out.
    nudge.present();
    scheduler.advance(HapticsNudge::showFor - std::chrono::milliseconds(1));
    QTest::mouseClick(nudge.panel(), Qt::LeftButton);
    EXPECT_EQ(consoleOpened, 1);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(nudge.panel());
}

} // namespace
