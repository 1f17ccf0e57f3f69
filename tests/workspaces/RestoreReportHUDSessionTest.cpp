// Under a real window manager the report floats over the window the user
// works in without taking its focus or becoming the active window.
#include "workspaces/RestoreReportHUD.h"

#include "platform/time/QtScheduler.h"
#include "platform/windows/CompositingManager.h"
#include "support/RunProgram.h"
#include "support/WaitUntil.h"
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
        xterm.kill();
        xterm.waitForFinished(5000);
    }
    QProcess xterm;
};

TEST_F(RestoreReportHUDSession, FloatsOverTheActiveWindowWithoutTakingItsFocus) {
    xterm.start(QStringLiteral("xterm"), {"-geometry", "80x24+40+40", "-title", "hud-target"});
    ASSERT_TRUE(xterm.waitForStarted());
    QString window;
    ASSERT_TRUE(waitUntil([&] {
        window = xdotool({"search", "--onlyvisible", "--name", "hud-target"}).section('\n', 0, 0);
        return !window.isEmpty();
    }));
    // Activation reaches the window manager and the xterm in turn: wait
    // until both agree before anything is measured.
    ASSERT_TRUE(waitUntil([&] {
        xdotool({"windowactivate", window});
        return xdotool({"getactivewindow"}) == window &&
               xdotool({"getwindowfocus", "-f"}) == window;
    }));

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

} // namespace
} // namespace vellaro
