// The nudge on the session's display: it maps at the top right of the
// primary screen and the window the user works in keeps the focus.
#include "model/SettingsStore.h"
#include "onboarding/HapticsNudge.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "support/ManualScheduler.h"
#include "support/RunProgram.h"
#include "support/TlsTestServers.h"
#include "support/WaitUntil.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace vellaro;
using namespace vellaro::test;

namespace {

TEST(HapticsNudgeSession, MapsTopRightWhileTheXtermKeepsTheFocus) {
    QProcess xterm;
    xterm.start("xterm", {"-geometry", "80x24+40+40", "-title", "nudge-target"});
    ASSERT_TRUE(xterm.waitForStarted());
    QString target;
    ASSERT_TRUE(waitUntil([&] {
        target = runProgram("xdotool", {"search", "--onlyvisible", "--name", "^nudge-target$"})
                     .section('\n', 0, 0);
        return !target.isEmpty();
    }));
    xdotool({"windowactivate", "--sync", target});

    QTemporaryDir folder;
    Notifications hub;
    SettingsStore settings(folder.path(), hub);
    Defaults defaults(folder.path() + "/defaults.ini");
    ManualScheduler scheduler;
    MouseHapticsClient haptics(scheduler, QStringLiteral("127.0.0.1"), closedPort());
    HapticsNudge nudge(
        {defaults, settings, scheduler, haptics, [] { return true; }, [] { return false; }, [] {}});
    nudge.present();
    ASSERT_TRUE(nudge.panel());
    const QString id = QString::number(nudge.panel()->winId());
    QString info;
    ASSERT_TRUE(waitUntil([&] {
        info = runProgram("xwininfo", {"-id", id});
        return info.contains("Map State: IsViewable");
    })) << info.toStdString();

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = nudge.panel()->frameGeometry();
    EXPECT_EQ(frame.right(), area.right() - 20);
    EXPECT_EQ(frame.top(), area.top() + 24);
    // A moment for a focus change that should not come.
    QTest::qWait(300);
    EXPECT_EQ(runProgram("xdotool", {"getactivewindow"}), target);

    scheduler.advance(HapticsNudge::showFor);
    EXPECT_TRUE(waitUntil([&] {
        return !runProgram("xwininfo", {"-id", id}).contains("IsViewable");
    }));
    xterm.kill();
    xterm.waitForFinished(5000);
}

} // namespace
