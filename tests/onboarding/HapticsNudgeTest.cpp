#include "onboarding/HapticsNudge.h"
#include "model/SettingsStore.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "support/ManualScheduler.h"
#include "support/WaitUntil.h"

#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace vellaro;

namespace {

quint16 closedPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort(); // closed again once the server goes
}

struct NudgeTest : ::testing::Test {
    QTemporaryDir folder;
    Notifications hub;
    SettingsStore settings{folder.path(), hub};
    Defaults defaults{folder.path() + "/defaults.ini"};
    test::ManualScheduler scheduler;
    MouseHapticsClient haptics{scheduler, QStringLiteral("127.0.0.1"), closedPort()};
    bool mouse = true;
    bool pluginFolder = false;
    int consoleOpened = 0;
    HapticsNudge nudge{{defaults, settings, scheduler, haptics, [this] { return mouse; },
                        [this] { return pluginFolder; }, [this] { ++consoleOpened; }}};
};

TEST_F(NudgeTest, ShownOnceOnlyWhenEveryTestPasses) {
    struct Case {
        const char* name;
        bool alreadyShown, hapticsOn, folder, mouseThere, expectShown;
    };
    const Case cases[] = {
        {"all pass", false, true, false, true, true},
        {"already shown", true, true, false, true, false},
        {"haptics off", false, false, false, true, false},
        {"plug-in folder", false, true, true, true, false},
        {"no mouse", false, true, false, false, false},
    };
    for (const Case& c : cases) {
        QTemporaryDir caseFolder;
        Defaults caseDefaults(caseFolder.path() + "/defaults.ini");
        if (c.alreadyShown)
            caseDefaults.setValue(HapticsNudge::shownKey, true);
        settings.update([&](VellaroSettings& s) { s.hapticsEnabled = c.hapticsOn; });
        pluginFolder = c.folder;
        mouse = c.mouseThere;
        HapticsNudge caseNudge{{caseDefaults, settings, scheduler, haptics,
                                [this] { return mouse; }, [this] { return pluginFolder; },
                                [this] { ++consoleOpened; }}};
        caseNudge.showIfNeeded();
        if (c.expectShown)
            EXPECT_TRUE(test::waitUntil([&] { return caseNudge.panel() != nullptr; })) << c.name;
        EXPECT_EQ(caseNudge.panel() != nullptr, c.expectShown) << c.name;
        EXPECT_EQ(caseDefaults.boolValue(HapticsNudge::shownKey), c.expectShown || c.alreadyShown)
            << c.name;
    }
}

TEST_F(NudgeTest, GoesAfterItsTimeOrOpensTheConsoleOnClick) {
    nudge.present();
    ASSERT_TRUE(nudge.panel());
    scheduler.advance(HapticsNudge::showFor);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(nudge.panel() && nudge.panel()->isVisible());
    nudge.present();
    QTest::mouseClick(nudge.panel(), Qt::LeftButton);
    EXPECT_EQ(consoleOpened, 1);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

} // namespace
