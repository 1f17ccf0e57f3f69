// Under a real window manager the report floats over the window the user
// works in without taking its focus or becoming the active window.
#include "workspaces/RestoreReportHUD.h"

#include "platform/time/QtScheduler.h"
#include "platform/windows/CompositingManager.h"
#include "platform/windows/X11WindowSystem.h"
#include "support/RunProgram.h"
#include "support/SplitScreen.h"
#include "support/WaitUntil.h"
#include "workspaces/MainMonitor.h"
#include "workspaces/PointerScreen.h"
#include "workspaces/RestoreReportView.h"

#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace vellaro {
namespace {

using test::waitUntil;

QString xdotool(const QStringList& arguments) {
    return test::runProgram(QStringLiteral("xdotool"), arguments);
}

bool overrideRedirect(QWindow* window) {
    auto* connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    auto* reply = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, xcb_window_t(window->winId())), nullptr);
    const bool result = reply && reply->override_redirect;
    std::free(reply);
    return result;
}

class RestoreReportHUDSession : public ::testing::Test {
protected:
    void TearDown() override {
        for (QProcess* xterm : xterms) {
            xterm->kill();
            xterm->waitForFinished(5000);
            delete xterm;
        }
    }

    // An xterm at `geometry`, mapped; its window id as xdotool prints it.
    QString startXterm(const QString& title, const QString& geometry) {
        auto* xterm = new QProcess;
        xterms.append(xterm);
        xterm->start(QStringLiteral("xterm"), {"-geometry", geometry, "-title", title});
        if (!xterm->waitForStarted())
            return {};
        QString window;
        waitUntil([&] {
            window = xdotool({"search", "--onlyvisible", "--name", title}).section('\n', 0, 0);
            return !window.isEmpty();
        });
        return window;
    }

    // Activation reaches the window manager and the xterm in turn: wait
    // until both agree before anything is measured.
    static bool activate(const QString& window) {
        return waitUntil([&] {
            xdotool({"windowactivate", window});
            return xdotool({"getactivewindow"}) == window &&
                   xdotool({"getwindowfocus", "-f"}) == window;
        });
    }

    QList<QProcess*> xterms;
};

TEST_F(RestoreReportHUDSession, FloatsOverTheActiveWindowWithoutTakingItsFocus) {
    const QString window = startXterm("hud-target", "80x24+40+40");
    ASSERT_FALSE(window.isEmpty());
    ASSERT_TRUE(activate(window));

    QtScheduler scheduler;
    const QRect frame = pointerScreenVisibleFrame();
    RestoreReportHUD hud(
        scheduler, [&] { return frame; }, [] { return compositingManagerPresent(); });
    hud.show(QStringLiteral("Desk"), 2, 3);
    RestoreReportView* panel = hud.panel();
    ASSERT_TRUE(panel);
    ASSERT_TRUE(waitUntil([&] { return panel->windowHandle()->isExposed(); }));
    // A round trip through another client lets the window manager react
    // to the new window, if it were to.
    xdotool({"getwindowfocus", "-f"});
    QCoreApplication::processEvents();

    EXPECT_TRUE(overrideRedirect(panel->windowHandle()));
    EXPECT_EQ(xdotool({"getwindowfocus", "-f"}), window) << "the xterm keeps the input focus";
    EXPECT_EQ(xdotool({"getactivewindow"}), window) << "and stays the active window";
    EXPECT_FALSE(panel->isActiveWindow());
    EXPECT_EQ(panel->frameGeometry().top(), frame.top() + 24);
}

// With two monitors the report goes on the one holding the active window.
TEST_F(RestoreReportHUDSession, ShowsOnTheActiveWindowsMonitor) {
    const test::SplitScreen split;
    X11WindowSystem& system = X11WindowSystem::shared();
    ASSERT_TRUE(waitUntil([&] { return system.monitors().size() == 2; }));
    const QString onLeft = startXterm("hud-left", "60x10+40+200");
    const QString onRight = startXterm("hud-right", "60x10+800+200");
    ASSERT_FALSE(onLeft.isEmpty());
    ASSERT_FALSE(onRight.isEmpty());

    QtScheduler scheduler;
    RestoreReportHUD hud(
        scheduler, [&] { return mainMonitorVisibleFrame(system); },
        [] { return compositingManagerPresent(); });
    struct Case {
        QString window;
        int centreX;
    };
    for (const Case& c : {Case{onRight, 720 + 360}, Case{onLeft, 360}}) {
        ASSERT_TRUE(activate(c.window));
        hud.show(QStringLiteral("Desk"), 1, 1);
        RestoreReportView* panel = hud.panel();
        ASSERT_TRUE(panel);
        ASSERT_TRUE(waitUntil([&] { return panel->windowHandle()->isExposed(); }));
        const QRect placed = panel->frameGeometry();
        EXPECT_NEAR(placed.center().x(), c.centreX, 1) << c.window.toStdString();
        EXPECT_EQ(placed.top(), 24);
    }
}

} // namespace
} // namespace vellaro
