// Capture three programs' windows with the real window access, disturb
// them, and restore: the quit programs start again from their recorded
// paths with their recorded arguments, and every window returns to its
// place.
#include "model/LogCapture.h"
#include "platform/apps/AppCatalog.h"
#include "platform/apps/ProcessAppLauncher.h"
#include "platform/apps/X11RunningApps.h"
#include "platform/time/QtScheduler.h"
#include "platform/windows/CompositingManager.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "platform/windows/X11WindowSystem.h"
#include "support/RunProgram.h"
#include "support/SessionPrograms.h"
#include "support/WaitUntil.h"
#include "workspaces/DesktopWindowAccess.h"
#include "workspaces/MainMonitor.h"
#include "workspaces/RestoreEngine.h"
#include "workspaces/RestoreReportHUD.h"
#include "workspaces/RestoreReportView.h"
#include "workspaces/WorkspacesProvider.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace vellaro {
namespace {

using test::waitUntil;

const auto windowTitled = &test::SessionPrograms::windowTitled;

class WorkspacesEndToEnd : public ::testing::Test {
protected:
    test::SessionPrograms programs;
    QTemporaryDir data;
};

TEST_F(WorkspacesEndToEnd, CaptureThenRestoreAfterQuitMoveAndMinimise) {
    // No desktop entries (Debian's xterm has one): each program is recorded
    // by its executable and command line.
    QTemporaryDir noEntries;
    qputenv("XDG_DATA_DIRS", QFile::encodeName(noEntries.path()));
    X11WindowSystem& system = X11WindowSystem::shared();
    ASSERT_TRUE(X11WindowAccessTrust::shared().isTrusted());
    QProcess* eyes = programs.startEyesClockAndNotes();
    // xterm may take long to map under a loaded sanitizer build.
    ASSERT_TRUE(waitUntil(
        [] { return windowTitled("xeyes") && windowTitled("Clock") && windowTitled("Notes"); },
        60000));
    const auto frameOf = [&](const QString& title) {
        const std::optional<ClientWindow> window = windowTitled(title);
        return window ? system.frame(window->id) : std::nullopt;
    };
    // The window manager places and decorates each window after it maps.
    QHash<QString, QRect> placed;
    ASSERT_TRUE(waitUntil([&] {
        for (const QString title : {"xeyes", "Clock", "Notes"}) {
            const std::optional<QRect> frame = frameOf(title);
            if (!frame || frame != placed.value(title))
                return (placed[title] = frame.value_or(QRect())), false;
        }
        return true;
    }));

    QtScheduler scheduler;
    RestoreReportHUD hud(
        scheduler, [&] { return mainMonitorVisibleFrame(system); },
        [] { return compositingManagerPresent(); });
    const auto report = [&](const QString& name, std::int64_t restored, std::int64_t total) {
        hud.show(name, restored, total);
    };
    const WindowWalk walk = concurrentWindowWalk(desktopWalkAccess());
    WorkspacesProvider provider(WorkspacesStore(data.path()),
                                {desktopWindowAccess(), walk,
                                 [] { return X11WindowAccessTrust::shared().isTrusted(); }, [] {},
                                 [] {}, [](const Workspace&) {}, report});
    provider.capture("Test");
    ASSERT_TRUE(waitUntil([&] { return !provider.workspaces().empty(); }));
    const Workspace captured = provider.workspaces().front();

    QFile file(data.filePath("workspaces.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray apps =
        QJsonDocument::fromJson(file.readAll())["workspaces"][0]["apps"].toArray();
    ASSERT_EQ(apps.size(), 3) << QJsonDocument(apps).toJson().toStdString();
    QStringList ids;
    QHash<QString, QRect> savedFrames;
    QHash<QString, QJsonValue> savedArguments; // by executable name
    for (const QJsonValue& app : apps) {
        ids << app["bundleID"].toString();
        savedArguments.insert(app["appPath"].toString().section('/', -1), app["arguments"]);
        for (const QJsonValue& window : app["windows"].toArray()) {
            const QJsonArray frame = window["frame"].toArray();
            savedFrames.insert(window["title"].toString(),
                               QRect(frame[0][0].toInt(), frame[0][1].toInt(), frame[1][0].toInt(),
                                     frame[1][1].toInt()));
        }
    }
    QStringList sorted = ids;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(ids, sorted);
    EXPECT_EQ(savedFrames, placed);
    // Programs without a desktop entry keep their command lines.
    EXPECT_EQ(savedArguments.value("xterm"),
              QJsonArray({"-T", "Notes", "-geometry", "60x10+40+400"}))
        << QJsonDocument(apps).toJson().toStdString();
    EXPECT_EQ(savedArguments.value("xeyes"), QJsonArray({"-geometry", "150x100+40+60"}));

    // Quit xeyes and the Notes xterm, move the clock and minimise it.
    eyes->kill();
    const std::optional<ClientWindow> oldNotes = windowTitled("Notes");
    ASSERT_TRUE(oldNotes && oldNotes->pid != 0);
    ::kill(pid_t(oldNotes->pid), SIGTERM);
    ASSERT_TRUE(waitUntil([] { return !windowTitled("xeyes") && !windowTitled("Notes"); }));
    test::xdotool({"search", "--name", "^Clock$", "windowmove", "%@", "700", "300"});
    ASSERT_TRUE(waitUntil([&] { return frameOf("Clock") != placed["Clock"]; }));
    test::xdotool({"search", "--name", "^Clock$", "windowminimize", "%@"});
    ASSERT_TRUE(waitUntil([&] { return system.isMinimized(windowTitled("Clock")->id); }));

    test::LogCapture log("vellaro.workspaces");
    const AppCatalog catalog;
    ProcessAppLauncher launcher;
    std::vector<std::int64_t> reported;
    RestoreEngine engine(RestoreServices{
        desktopWindowAccess(), walk, catalog, launcher, X11RunningApps::shared(), scheduler,
        [&](const QString& name, std::int64_t restored, std::int64_t total) {
            reported = {restored, total};
            report(name, restored, total);
        }});
    engine.restore(captured);
    ASSERT_TRUE(waitUntil([&] { return !reported.empty(); }, 30000));
    EXPECT_EQ(reported, (std::vector<std::int64_t>{3, 3})) << log.lines().join('\n').toStdString();
    EXPECT_EQ(log.count("Restore finished: 3/3 windows"), 1);
    ASSERT_TRUE(hud.panel());
    EXPECT_EQ(hud.panel()->content().text, QStringLiteral(u"Test \u2014 restored 3 windows"));

    // Window writes are asynchronous: wait for the window manager to settle.
    const std::optional<ClientWindow> newEyes = windowTitled("xeyes");
    ASSERT_TRUE(newEyes);
    // Started again as "xterm -T Notes ...", not as a plain xterm.
    const std::optional<ClientWindow> newNotes = windowTitled("Notes");
    ASSERT_TRUE(newNotes);
    EXPECT_TRUE(waitUntil([&] { return frameOf("xeyes") == placed["xeyes"]; }))
        << "xeyes at " << frameOf("xeyes").value_or(QRect()).x();
    EXPECT_TRUE(waitUntil([&] { return frameOf("Clock") == placed["Clock"]; }));
    EXPECT_TRUE(waitUntil([&] { return !system.isMinimized(windowTitled("Clock")->id); }));
    // xterm sizes in whole character cells.
    EXPECT_TRUE(waitUntil([&] {
        const QRect notes = frameOf("Notes").value_or(QRect());
        return notes.topLeft() == placed["Notes"].topLeft() &&
               std::abs(notes.width() - placed["Notes"].width()) < 10 &&
               std::abs(notes.height() - placed["Notes"].height()) < 20;
    }));

    for (const ClientWindow& started : {*newEyes, *newNotes}) {
        ASSERT_NE(started.pid, 0u);
        ::kill(pid_t(started.pid), SIGTERM);
    }
    EXPECT_TRUE(waitUntil([] { return !windowTitled("xeyes") && !windowTitled("Notes"); }));
}

} // namespace
} // namespace vellaro
