#include "workspaces/RestoreEngine.h"

#include "WindowWalkFixture.h"
#include "model/LogCapture.h"
#include "platform/apps/AppCatalog.h"
#include "platform/apps/AppLauncher.h"
#include "providers/apps/FakeAppServices.h"
#include "support/ManualScheduler.h"
#include "support/WriteTextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::LogCapture;

constexpr char workspacesLog[] = "vellaro.workspaces";

// Records what would be started: "id" or "id doc1 doc2", and whether it was
// asked to take the focus. `onOpen` may start windows or other restores.
class RecordingLauncher final : public AppLauncher {
public:
    bool launch(const DesktopEntry& entry, QString* error) override {
        return open(entry, {}, true, error);
    }
    bool open(const DesktopEntry& entry, const QList<QUrl>& documents, bool activates,
              QString* error) override {
        QStringList line{entry.id};
        for (const QUrl& document : documents)
            line << QFileInfo(document.toLocalFile()).fileName();
        opened << line.join(QLatin1Char(' '));
        focusing = focusing || activates;
        if (onOpen)
            onOpen(entry);
        if (!failure.isEmpty())
            *error = failure;
        return failure.isEmpty();
    }

    QStringList opened;
    bool focusing = false;
    QString failure;
    std::function<void(const DesktopEntry&)> onOpen;
};

struct Report {
    QString name;
    std::int64_t restored;
    std::int64_t total;
    friend bool operator==(const Report&, const Report&) = default;
};

WindowRecord window(const QString& title, const QRectF& frame, bool minimized = false,
                    std::optional<QUrl> document = std::nullopt) {
    return {title, frame, minimized, document};
}

Workspace workspace(const QString& name, std::vector<AppRecord> apps) {
    return {QUuid::createUuid(), name, QDateTime::currentDateTimeUtc(), QString(), std::move(apps)};
}

class RestoreEngineTest : public ::testing::Test {
public:
    RestoreEngineTest() {
        desktop.system.monitorList = {
            {QStringLiteral("A"), QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080)},
            {QStringLiteral("B"), QRect(1920, 0, 1280, 1024), QRect(1920, 0, 1280, 1024)}};
        install(QStringLiteral("editor"));
        install(QStringLiteral("viewer"));
        install(QStringLiteral("player"));
    }

    void install(const QString& id) {
        ASSERT_TRUE(test::writeTextFile(
            data.filePath(QStringLiteral("applications/%1.desktop").arg(id)),
            "[Desktop Entry]\nType=Application\nName=" + id.toUtf8() + "\nExec=true %F\n"));
    }
    QString file(const QString& name) {
        const QString path = data.filePath(name);
        test::writeTextFile(path, "x");
        return path;
    }

    QTemporaryDir data;
    test::FakeDesktopWindows desktop;
    test::ControlledWalk walk{desktop.access};
    AppCatalog catalog{AppCatalog::Options{{data.path()}, {}, {}}};
    RecordingLauncher launcher;
    test::FakeRunningApps running;
    test::ManualScheduler scheduler;
    std::vector<Report> reports;
    RestoreEngine engine{
        RestoreServices{desktop.access, walk.function(), catalog, launcher, running, scheduler,
                        [this](const QString& name, std::int64_t restored, std::int64_t total) {
                            reports.push_back({name, restored, total});
                        }}};
};

const QRect editorFrame(100, 100, 800, 600);

// Each row restores one workspace against windows already open, lets the
// restore run out and checks what it launched, wrote and said.
struct EdgeCase {
    const char* name;
    std::function<Workspace(RestoreEngineTest&)> workspace;
    QSet<QString> running;
    QStringList opened;
    QStringList requests; // window requests, in order
    QString summary;
    std::int64_t restored;
    std::int64_t total;
    QStringList otherLines; // further log lines that must be there
};

class RestoreEdgeCases : public RestoreEngineTest, public ::testing::WithParamInterface<EdgeCase> {
public:
    Workspace make() { return GetParam().workspace(*this); }
};

TEST_P(RestoreEdgeCases, RunsToItsReport) {
    const EdgeCase& row = GetParam();
    // Open: one editor window (id 100) at another place, one viewer window (101).
    desktop.add(QStringLiteral("editor"), 10, QStringLiteral("Notes"), QRect(5, 5, 300, 200));
    desktop.add(QStringLiteral("viewer"), 11, QStringLiteral("Photo"), QRect(50, 50, 300, 200),
                true);
    running.running = row.running;
    const Workspace restoring = make();

    LogCapture log(workspacesLog);
    engine.restore(restoring);
    scheduler.advance(30s);

    EXPECT_EQ(launcher.opened, row.opened);
    EXPECT_FALSE(launcher.focusing);
    EXPECT_EQ(desktop.system.requests, row.requests);
    EXPECT_EQ(log.count(row.summary), 1) << log.lines().join('\n').toStdString();
    for (const QString& line : row.otherLines)
        EXPECT_EQ(log.count(line), 1) << line.toStdString();
    EXPECT_EQ(reports, (std::vector<Report>{{restoring.name, row.restored, row.total}}));
}

Workspace openWindowsOnly(RestoreEngineTest&) {
    return workspace(
        QStringLiteral("Desk"),
        {{QStringLiteral("editor"), std::nullopt, {window(QStringLiteral("Notes"), editorFrame)}},
         {QStringLiteral("viewer"),
          std::nullopt,
          {window(QStringLiteral("Photo"), QRect(900, 10, 300, 200), true)}}});
}

INSTANTIATE_TEST_SUITE_P(
    RestoreEngine, RestoreEdgeCases,
    ::testing::Values(
        EdgeCase{"AllOpenMatchAtOnce",
                 openWindowsOnly,
                 {},
                 {},
                 {"unminimize 100", "frame 100 100,100 800x600", "frame 101 900,10 300x200",
                  "minimize 101"},
                 "Restore finished: 2/2 windows",
                 2,
                 2,
                 {}},
        EdgeCase{"Empty",
                 [](RestoreEngineTest&) { return workspace("Nothing", {}); },
                 {},
                 {},
                 {},
                 "Restore finished: 0/0 windows",
                 0,
                 0,
                 {}},
        EdgeCase{"MatchedAppNeverGetsItsDocuments",
                 [](RestoreEngineTest& t) {
                     return workspace("Docs",
                                      {{"editor",
                                        std::nullopt,
                                        {window("Notes", editorFrame, false,
                                                QUrl::fromLocalFile(t.file("notes.txt")))}}});
                 },
                 {"editor"},
                 {},
                 {"unminimize 100", "frame 100 100,100 800x600"},
                 "Restore finished: 1/1 windows",
                 1,
                 1,
                 {}},
        EdgeCase{"UnmatchedDocumentOpensInTheRunningApp",
                 [](RestoreEngineTest& t) {
                     return workspace(
                         "Docs", {{"editor",
                                   std::nullopt,
                                   {window("Notes", editorFrame),
                                    window("Report", editorFrame, false,
                                           QUrl::fromLocalFile(t.file("report.txt"))),
                                    window("Folder", editorFrame, false,
                                           QUrl::fromLocalFile(t.data.path())),
                                    window("Gone", editorFrame, false,
                                           QUrl::fromLocalFile(t.data.filePath("gone.txt")))}}});
                 },
                 {"editor"},
                 {"editor report.txt"},
                 {"unminimize 100", "frame 100 100,100 800x600"},
                 "Restore finished: 1/4 windows",
                 1,
                 4,
                 {"Unmatched: Report", "Unmatched: Folder", "Unmatched: Gone"}},
        EdgeCase{"OnlyUnopenableDocumentsLaunchWhenNotRunning",
                 [](RestoreEngineTest& t) {
                     return workspace("Docs", {{"player",
                                                std::nullopt,
                                                {window("Album", editorFrame, false,
                                                        QUrl::fromLocalFile(t.data.path()))}}});
                 },
                 {},
                 {"player"},
                 {},
                 "Restore finished: 0/1 windows",
                 0,
                 1,
                 {"Unmatched: Album"}},
        EdgeCase{"RunningAppWithoutDocumentIsLeftAlone",
                 [](RestoreEngineTest&) {
                     return workspace("Desk",
                                      {{"player", std::nullopt, {window("Album", editorFrame)}}});
                 },
                 {"player"},
                 {},
                 {},
                 "Restore finished: 0/1 windows",
                 0,
                 1,
                 {}},
        EdgeCase{"OffScreenFrameGoesToTheFirstScreensCorner",
                 [](RestoreEngineTest&) {
                     return workspace("Desk", {{"editor",
                                                std::nullopt,
                                                {window("Notes", QRectF(4000, 2000, 640, 480))}}});
                 },
                 {},
                 {},
                 {"unminimize 100", "frame 100 60,60 640x480"},
                 "Restore finished: 1/1 windows",
                 1,
                 1,
                 {}},
        EdgeCase{"MissingPathFallsBackToTheInstalledEntry",
                 [](RestoreEngineTest&) {
                     return workspace("Desk", {{"player",
                                                QStringLiteral("/nonexistent/player.desktop"),
                                                {window("Album", editorFrame)}},
                                               {"unknown",
                                                QStringLiteral("/nonexistent/unknown"),
                                                {window("Lost", editorFrame)}}});
                 },
                 {},
                 {"player"},
                 {},
                 "Restore finished: 0/2 windows",
                 0,
                 2,
                 {"App unavailable, skipping: unknown"}},
        EdgeCase{"MinimisedNowButRecordedNormal",
                 [](RestoreEngineTest&) {
                     return workspace(
                         "Desk",
                         {{"viewer", std::nullopt, {window("Photo", QRect(10, 10, 300, 200))}}});
                 },
                 {},
                 {},
                 {"unminimize 101", "frame 101 10,10 300x200"},
                 "Restore finished: 1/1 windows",
                 1,
                 1,
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RestoreEngineTest, ARefusedWriteIsTriedAgainAtTheNextPass) {
    desktop.add("editor", 10, "Notes", QRect(5, 5, 300, 200));
    desktop.system.refuseFrames = true;
    LogCapture log(workspacesLog);
    engine.restore(workspace("Desk", {{"editor", std::nullopt, {window("Notes", editorFrame)}}}));
    EXPECT_EQ(log.count("Frame apply refused: Notes"), 1);

    desktop.system.refuseFrames = false;
    scheduler.advance(600ms);
    EXPECT_EQ(desktop.system.requests.count("frame 100 100,100 800x600"), 2);
    EXPECT_EQ(reports, (std::vector<Report>{{"Desk", 1, 1}}));
    scheduler.advance(30s);
    EXPECT_EQ(desktop.system.requests.count("frame 100 100,100 800x600"), 2);
}

TEST_F(RestoreEngineTest, ALaunchedProgramsWindowIsPlacedByTheLoop) {
    launcher.onOpen = [this](const DesktopEntry&) {
        scheduler.schedule(2s, [this] { desktop.add("editor", 20, "Notes", QRect(0, 0, 10, 10)); });
    };
    LogCapture log(workspacesLog);
    engine.restore(workspace("Desk", {{"editor", std::nullopt, {window("Notes", editorFrame)}}}));
    EXPECT_EQ(launcher.opened, QStringList{"editor"});
    scheduler.advance(1800ms);
    EXPECT_TRUE(reports.empty());
    scheduler.advance(600ms);
    EXPECT_EQ(desktop.system.requests,
              (QStringList{"unminimize 100", "frame 100 100,100 800x600"}));
    EXPECT_EQ(reports, (std::vector<Report>{{"Desk", 1, 1}}));
}

TEST_F(RestoreEngineTest, AFailedLaunchIsLoggedAndTheNextAppStillStarts) {
    launcher.failure = "no such program";
    LogCapture log(workspacesLog);
    engine.restore(workspace("Desk", {{"editor", std::nullopt, {window("Notes", editorFrame)}},
                                      {"viewer", std::nullopt, {window("Album", editorFrame)}}}));
    EXPECT_EQ(launcher.opened, (QStringList{"editor", "viewer"}));
    EXPECT_EQ(log.count("Launch failed for editor: no such program"), 1);
}

TEST_F(RestoreEngineTest, AnExistingExecutablePathStartsWithoutArguments) {
    const QString program = data.filePath("bin/my tool");
    ASSERT_TRUE(test::writeTextFile(program, "#!/bin/sh\n"));
    QFile(program).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    DesktopEntry started;
    launcher.onOpen = [&](const DesktopEntry& entry) { started = entry; };
    engine.restore(workspace("Desk", {{"tool", program, {window("Main", editorFrame)}}}));
    EXPECT_EQ(started.id, "tool");
    EXPECT_EQ(started.exec, "\"" + program + "\"");
}

// The loop wakes every 0.6 s up to 5 s after the launches, then every second,
// and stops at the first wake-up 15 s or more after the launch phase, however
// long that phase took.
TEST_F(RestoreEngineTest, TheLoopsCadenceCountsFromTheEndOfASlowLaunchPhase) {
    launcher.onOpen = [this](const DesktopEntry&) { scheduler.advance(10s); };
    std::vector<double> wakeUps;
    Scheduler::TimePoint launchesDone{};
    engine.restore(workspace("Desk", {{"editor", std::nullopt, {window("Notes", editorFrame)}},
                                      {"viewer", std::nullopt, {window("Album", editorFrame)}}}));
    launchesDone = scheduler.now();
    walk.onWalk = [&] {
        wakeUps.push_back(std::chrono::duration<double>(scheduler.now() - launchesDone).count());
    };
    scheduler.advance(15s);
    EXPECT_TRUE(reports.empty());
    scheduler.advance(1s);
    EXPECT_EQ(reports, (std::vector<Report>{{"Desk", 0, 2}}));

    std::vector<double> expected;
    for (int step = 1; step <= 9; ++step)
        expected.push_back(0.6 * step);
    for (int second = 6; second <= 15; ++second)
        expected.push_back(second + 0.4);
    ASSERT_EQ(wakeUps.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(wakeUps[i], expected[i], 1e-9) << i;
}

// An older restore must not move windows to where its workspace had them,
// nor launch its programs, nor report, once a newer one began: whether it
// was walking, launching or sleeping then.
TEST_F(RestoreEngineTest, ACancelledRestoreWritesLaunchesAndReportsNothingMore) {
    const WindowId notes = desktop.add("editor", 10, "Notes", QRect(5, 5, 300, 200));
    const Workspace older =
        workspace("Older", {{"editor", std::nullopt, {window("Notes", QRect(1, 1, 400, 300))}},
                            {"viewer", std::nullopt, {window("Album", editorFrame)}}});
    const Workspace newer =
        workspace("Newer", {{"editor", std::nullopt, {window("Notes", editorFrame)}}});

    // Walking: the older walk answers after the newer restore began.
    walk.holding = true;
    engine.restore(older);
    engine.restore(newer);
    walk.releaseOldest();
    EXPECT_TRUE(desktop.system.requests.isEmpty());
    EXPECT_TRUE(launcher.opened.isEmpty());
    walk.releaseOldest();
    EXPECT_EQ(desktop.system.requests,
              (QStringList{"unminimize 100", "frame 100 100,100 800x600"}));
    walk.holding = false;

    // Launching: the newer restore starts from within the older's first launch.
    desktop.system.requests.clear();
    reports.clear();
    launcher.onOpen = [&](const DesktopEntry&) {
        launcher.onOpen = nullptr;
        engine.restore(newer);
    };
    const Workspace twoMissing =
        workspace("Older", {{"player", std::nullopt, {window("Song", editorFrame)}},
                            {"viewer", std::nullopt, {window("Album", editorFrame)}}});
    desktop.system.frameOf[notes] = QRect(5, 5, 300, 200);
    engine.restore(twoMissing);
    EXPECT_EQ(launcher.opened, QStringList{"player"});
    EXPECT_EQ(desktop.system.requests,
              (QStringList{"unminimize 100", "frame 100 100,100 800x600"}));

    // Sleeping: the older restore waits for a window that then appears.
    launcher.opened.clear();
    engine.restore(older);
    EXPECT_EQ(launcher.opened, QStringList{"viewer"});
    engine.restore(newer);
    desktop.system.requests.clear();
    desktop.add("viewer", 11, "Album", QRect(0, 0, 10, 10));
    scheduler.advance(30s);
    EXPECT_TRUE(desktop.system.requests.isEmpty())
        << desktop.system.requests.join(", ").toStdString();

    for (const Report& report : reports)
        EXPECT_EQ(report.name, "Newer");
}

} // namespace
} // namespace vellaro
