// One window walk of the workspaces section over the session's X display:
// 200 titled windows of 20 programs, mapped by a client of this process and
// managed by the window manager, read through the program's window access.
// Run inside scripts/test-session; prints figures, asserts nothing.
#include "support/XcbAtom.h"
#include "workspaces/DesktopWindowAccess.h"
#include "workspaces/WindowAccess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

constexpr int windowCount = 200;
constexpr int programCount = 20;

// Maps the windows: each titled, of one of 20 WM_CLASS programs, with this
// parent process as their pid.
void mapWindows(xcb_connection_t* connection) {
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t pidAtom = vellaro::test::internAtom(connection, "_NET_WM_PID");
    // Another process: the walk leaves out the program's own windows.
    const std::uint32_t pid = std::uint32_t(getppid());
    for (int i = 0; i < windowCount; ++i) {
        const xcb_window_t window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 10 + i % 40 * 20,
                          10 + i / 40 * 60, 200, 120, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          screen->root_visual, 0, nullptr);
        const QByteArray title = QStringLiteral("Bench window %1").arg(i).toUtf8();
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                            XCB_ATOM_STRING, 8, std::uint32_t(title.size()), title.constData());
        const QByteArray wmClass = QStringLiteral("bench%1").arg(i % programCount).toUtf8() + '\0' +
                                   QStringLiteral("BenchProgram%1").arg(i % programCount).toUtf8() +
                                   '\0';
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS,
                            XCB_ATOM_STRING, 8, std::uint32_t(wmClass.size()), wmClass.constData());
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, pidAtom, XCB_ATOM_CARDINAL,
                            32, 1, &pid);
        xcb_map_window(connection, window);
    }
    xcb_flush(connection);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    mapWindows(connection);

    // The walk runs on a connection of its own, off the main thread in the
    // program; here on this thread alone.
    const vellaro::WindowAccess& access = vellaro::desktopWalkAccess();
    QList<vellaro::SweepTarget> targets;
    QElapsedTimer waited;
    waited.start();
    // The window manager takes the new windows in one by one.
    int walked = 0;
    while (waited.elapsed() < 60000) {
        targets = access.sweepTargets();
        walked = int(access.liveWindows(targets).size());
        if (walked >= windowCount)
            break;
        QThread::msleep(50);
    }
    std::printf("windows walked: %d in %lld targets\n", walked, qlonglong(targets.size()));

    std::vector<double> times;
    for (int run = 0; run < 30; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QList<vellaro::LiveWindow> live = access.liveWindows(targets);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (live.size() != walked)
            std::printf("run %d walked %lld windows\n", run, qlonglong(live.size()));
    }
    std::sort(times.begin(), times.end());
    std::printf("liveWindows, 200 titled windows: median %.2f ms, min %.2f ms, max %.2f ms "
                "(target 20 ms)\n",
                times[times.size() / 2], times.front(), times.back());

    QElapsedTimer sweep;
    sweep.start();
    const QList<vellaro::SweepTarget> again = access.sweepTargets();
    std::printf("sweepTargets: %.2f ms for %lld targets\n", double(sweep.nsecsElapsed()) / 1e6,
                qlonglong(again.size()));
    QElapsedTimer clients;
    clients.start();
    const auto list = access.windowSystem().clientWindows();
    std::printf("clientWindows: %.2f ms for %lld windows\n", double(clients.nsecsElapsed()) / 1e6,
                qlonglong(list.size()));
    xcb_disconnect(connection);
    return 0;
}
