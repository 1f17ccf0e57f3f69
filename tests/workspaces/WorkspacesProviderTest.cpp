#include "workspaces/WorkspacesProvider.h"

#include "WindowWalkFixture.h"
#include "model/LogCapture.h"
#include "support/OneSectionDataSource.h"
#include "workspaces/DisplaySignature.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::LogCapture;

Workspace named(const QString& name, int apps = 0, int windowsEach = 0) {
    Workspace workspace{QUuid::createUuid(),
                        name,
                        QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC),
                        "1x1@0,0",
                        {}};
    for (int app = 0; app < apps; ++app) {
        AppRecord record{QStringLiteral("app%1").arg(app), std::nullopt, {}};
        for (int window = 0; window < windowsEach; ++window)
            record.windows.push_back(
                {QStringLiteral("w%1").arg(window), QRectF(0, 0, 10, 10), false, std::nullopt});
        workspace.apps.push_back(record);
    }
    return workspace;
}

struct Report {
    QString name;
    std::int64_t restored;
    std::int64_t total;
    friend bool operator==(const Report&, const Report&) = default;
};

class WorkspacesProviderTest : public ::testing::Test {
protected:
    WorkspacesProviderTest() {
        desktop.system.monitorList = {
            {"A", QRect(0, 0, 1512, 982), QRect(0, 0, 1512, 982)},
            {"B", QRect(1512, 0, 1920, 1080), QRect(1512, 0, 1920, 1080)}};
    }

    // Saves the workspaces as the file the provider then starts from.
    WorkspacesProvider& start(std::vector<Workspace> saved = {}) {
        if (!saved.empty())
            WorkspacesStore(data.path()).save({1, std::move(saved)});
        provider = std::make_unique<WorkspacesProvider>(
            WorkspacesStore(data.path()),
            WorkspacesProvider::Services{
                desktop.access, walk.function(), [this] { return trusted; },
                [this] { ++explainers; }, [this] { ++prompts; },
                [this](const Workspace& workspace) { restored.push_back(workspace); },
                [this](const QString& name, std::int64_t done, std::int64_t total) {
                    reports.push_back({name, done, total});
                }});
        provider->setOnChange([this] { ++changes; });
        return *provider;
    }

    QStringList names() const {
        QStringList result;
        for (const Workspace& workspace : provider->workspaces())
            result << workspace.name;
        return result;
    }
    QStringList savedNames() {
        QStringList result;
        for (const Workspace& workspace : WorkspacesStore(data.path()).load().workspaces)
            result << workspace.name;
        return result;
    }
    QByteArray file() {
        QFile f(data.filePath("workspaces.json"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir data;
    test::FakeDesktopWindows desktop;
    test::ControlledWalk walk{desktop.access};
    bool trusted = true;
    int explainers = 0, prompts = 0, changes = 0;
    std::vector<Workspace> restored;
    std::vector<Report> reports;
    std::unique_ptr<WorkspacesProvider> provider;
};

TEST_F(WorkspacesProviderTest, ShowsTheFirstSevenThenCaptureSetup) {
    std::vector<Workspace> nine;
    for (int i = 1; i <= 9; ++i)
        nine.push_back(named(QStringLiteral("W%1").arg(i), 3, i == 1 ? 2 : 1));
    nine[1] = named("W2", 1, 1);
    std::vector<MenuItem> items = start(nine).items();

    ASSERT_EQ(items.size(), 8u);
    EXPECT_EQ(items[6].label(), "W7");
    EXPECT_EQ(items[0].sublabel, QStringLiteral(u"3 apps \u00b7 6 windows"));
    EXPECT_EQ(items[1].sublabel, QStringLiteral(u"1 apps \u00b7 1 windows"));
    EXPECT_EQ(items[0].icon().symbolName(), "rectangle.3.group");
    QStringList menu;
    for (const MenuAction& action : items[0].menuActions)
        menu << action.title();
    EXPECT_EQ(menu, (QStringList{"Restore", "Update with Current Setup", "Delete"}));

    const MenuItem& capture = items.back();
    EXPECT_EQ(capture.label(), "Capture Setup");
    EXPECT_EQ(capture.icon().symbolName(), "plus.viewfinder");
    EXPECT_FALSE(capture.sublabel);
    EXPECT_TRUE(capture.menuActions.empty());

    // An item restores the copy taken when it was built.
    provider->rename(nine[0].id, "Renamed");
    items[0].action();
    items[0].menuActions[0].run();
    ASSERT_EQ(restored.size(), 2u);
    EXPECT_EQ(restored[0].name, "W1");
    EXPECT_EQ(restored[1], nine[0]);

    items[0].menuActions[2].run();
    EXPECT_EQ(names().size(), 8);
    EXPECT_EQ(savedNames().size(), 8);
}

TEST_F(WorkspacesProviderTest, WithNoneOnlyCaptureSetup) {
    const std::vector<MenuItem> items = start().items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].label(), "Capture Setup");
    EXPECT_TRUE(file().isEmpty()); // nothing written at creation
}

// The console's pane reaches the section through the data source's provider.
TEST_F(WorkspacesProviderTest, ThePaneSeesEachWorkspaceWithItsWindowCount) {
    const std::vector<Workspace> two{named("Focus", 3, 2), named("Calls", 1, 1)};
    SectionProvider& section = start(two);
    auto* pane = dynamic_cast<WorkspacesPaneSource*>(&section);
    ASSERT_NE(pane, nullptr);
    const std::vector<WorkspacesPaneSource::Summary> summaries = pane->workspaceSummaries();
    ASSERT_EQ(summaries.size(), 2u);
    EXPECT_EQ(summaries[0].id, two[0].id);
    EXPECT_EQ(summaries[0].name, "Focus");
    EXPECT_EQ(summaries[0].windowCount, 6);
    EXPECT_EQ(summaries[1].windowCount, 1);

    pane->rename(two[1].id, "\tMeetings ");
    EXPECT_EQ(pane->workspaceSummaries()[1].name, "Meetings");
    EXPECT_EQ(changes, 1);
}

struct MoveCase {
    std::int64_t from, to;
    QStringList after; // empty: nothing changes
};

class WorkspacesMove : public WorkspacesProviderTest,
                       public ::testing::WithParamInterface<MoveCase> {};

TEST_P(WorkspacesMove, ReordersOnlyWithinTheList) {
    start({named("A"), named("B"), named("C")});
    const QByteArray before = file();
    const bool moved = provider->move(GetParam().from, GetParam().to);
    if (GetParam().after.isEmpty()) {
        EXPECT_FALSE(moved);
        EXPECT_EQ(names(), (QStringList{"A", "B", "C"}));
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(file(), before);
    } else {
        EXPECT_TRUE(moved);
        EXPECT_EQ(names(), GetParam().after);
        EXPECT_EQ(savedNames(), GetParam().after);
        EXPECT_EQ(changes, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, WorkspacesMove,
                         ::testing::Values(MoveCase{0, 2, {"B", "C", "A"}},
                                           MoveCase{2, 0, {"C", "A", "B"}}, MoveCase{1, 1, {}},
                                           MoveCase{-1, 0, {}}, MoveCase{0, 3, {}}));

TEST_F(WorkspacesProviderTest, UndoPutsARemovedWorkspaceBackOnce) {
    const std::vector<Workspace> abc{named("A"), named("B"), named("C")};
    start(abc);
    EXPECT_FALSE(provider->remove(3));
    EXPECT_FALSE(provider->remove(-1));
    EXPECT_EQ(changes, 0);

    const std::function<void()> undo = provider->remove(1);
    ASSERT_TRUE(undo);
    provider->deleteWorkspace(abc[2].id);
    EXPECT_EQ(savedNames(), QStringList{"A"});
    undo();
    EXPECT_EQ(names(), (QStringList{"A", "B"}));
    EXPECT_EQ(savedNames(), (QStringList{"A", "B"}));
    const int changesBefore = changes;
    undo();
    EXPECT_EQ(names(), (QStringList{"A", "B"}));
    EXPECT_EQ(changes, changesBefore);
}

TEST_F(WorkspacesProviderTest, RenameTrimsSpacesAndTabsAndDeleteAlwaysSaves) {
    const Workspace work = named("Old");
    start({work});
    struct Case {
        QString typed, stored;
    };
    for (const Case& c : {Case{"   ", "Old"}, Case{" \t ", "Old"}, Case{" Work ", "Work"},
                          Case{"\tLab\n", "Lab\n"}}) {
        provider->rename(work.id, c.typed);
        EXPECT_EQ(names(), QStringList{c.stored}) << c.typed.toStdString();
    }
    provider->rename(QUuid::createUuid(), "Other");
    EXPECT_EQ(savedNames(), QStringList{"Lab\n"});

    changes = 0;
    QFile::remove(data.filePath("workspaces.json"));
    provider->deleteWorkspace(QUuid::createUuid());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(savedNames(), QStringList{"Lab\n"});
}

TEST_F(WorkspacesProviderTest, CaptureGroupsSortsAndReports) {
    start({named("Old")});
    // Walk order: zeta, then Alpha (two processes), then beta; one untitled.
    desktop.add("zeta", 30, "Z1", QRect(0, 0, 100, 100));
    desktop.add("Alpha", 31, "A1", QRect(10, 10, 100, 100));
    desktop.add("beta", 32, "B1", QRect(20, 20, 100, 100), true);
    desktop.add("Alpha", 33, "A2", QRect(30, 30, 100, 100));
    desktop.add("zeta", 30, "", QRect(0, 0, 5, 5));
    desktop.add("Alpha", 31, "A3", QRect(40, 40, 100, 100));
    const QList<SweepTarget> targets = desktop.access.sweepTargets();

    LogCapture log("vellaro.workspaces");
    provider->capture("Desk");
    ASSERT_EQ(names(), (QStringList{"Desk", "Old"}));
    const Workspace& desk = provider->workspaces().front();
    EXPECT_EQ(desk.displaySignature, "1512x982@0,0|1920x1080@1512,-98");
    QStringList ids, titles;
    for (const AppRecord& app : desk.apps) {
        ids << app.bundleID;
        for (const WindowRecord& window : app.windows)
            titles << window.title;
    }
    EXPECT_EQ(ids, (QStringList{"Alpha", "beta", "zeta"}));
    EXPECT_EQ(titles, (QStringList{"A1", "A3", "A2", "B1", "Z1"}));
    EXPECT_EQ(desk.apps[0].appPath, targets[1].appPath);
    EXPECT_TRUE(desk.apps[1].windows[0].isMinimized);
    EXPECT_EQ(desk.apps[1].windows[0].frame, QRectF(20, 20, 100, 100));
    EXPECT_EQ(savedNames(), (QStringList{"Desk", "Old"}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(log.count("Captured workspace Desk: 5 windows"), 1);
    EXPECT_EQ(reports, (std::vector<Report>{{"Desk", 5, 5}}));
}

TEST_F(WorkspacesProviderTest, CaptureWithoutTitledWindowsStoresAnEmptyWorkspace) {
    start();
    provider->capture("Nothing");
    ASSERT_EQ(provider->workspaces().size(), 1u);
    EXPECT_TRUE(provider->workspaces()[0].apps.empty());
    EXPECT_EQ(reports, (std::vector<Report>{{"Nothing", 0, 0}}));
}

TEST_F(WorkspacesProviderTest, UpdateKeepsWindowsOverAnEmptySnapshotAndReplacesNone) {
    const Workspace withWindows = named("Full", 2, 2);
    const Workspace without = named("Bare");
    start({withWindows, without});
    LogCapture log("vellaro.workspaces");
    provider->update(withWindows.id);
    provider->update(without.id);
    EXPECT_EQ(provider->workspaces()[0], withWindows);
    const Workspace& bare = provider->workspaces()[1];
    EXPECT_TRUE(bare.apps.empty());
    EXPECT_EQ(bare.displaySignature, "1512x982@0,0|1920x1080@1512,-98");
    EXPECT_EQ(bare.createdAt, without.createdAt);
    EXPECT_EQ(log.count("Updated workspace Bare: 0 windows"), 1);
    EXPECT_TRUE(reports.empty());
}

// A rename made while the update walks the windows is the name that stays.
TEST_F(WorkspacesProviderTest, ARenameDuringAnUpdateStands) {
    const Workspace work = named("Work", 1, 1);
    start({work});
    desktop.add("editor", 30, "Notes", QRect(0, 0, 100, 100));
    walk.holding = true;
    provider->update(work.id);
    provider->rename(work.id, "Writing");
    walk.releaseOldest();
    const Workspace& updated = provider->workspaces()[0];
    EXPECT_EQ(updated.name, "Writing");
    ASSERT_EQ(updated.apps.size(), 1u);
    EXPECT_EQ(updated.apps[0].bundleID, "editor");
    EXPECT_EQ(savedNames(), QStringList{"Writing"});
}

TEST_F(WorkspacesProviderTest, AnUpdateOfAWorkspaceDeletedDuringTheWalkAddsNothing) {
    const Workspace work = named("Work");
    start({work});
    walk.holding = true;
    provider->update(work.id);
    provider->deleteWorkspace(work.id);
    walk.releaseOldest();
    EXPECT_TRUE(provider->workspaces().empty());
}

TEST_F(WorkspacesProviderTest, WithoutWindowAccessCaptureSetupExplains) {
    start();
    trusted = false;
    provider->items().back().action();
    EXPECT_EQ(explainers, 1);
    EXPECT_EQ(prompts, 0);
    provider->capture("Desk");
    EXPECT_EQ(explainers, 2);
    EXPECT_EQ(walk.walks, 0);
    EXPECT_TRUE(provider->workspaces().empty());

    trusted = true;
    provider->items().back().action();
    EXPECT_EQ(prompts, 1);
}

TEST_F(WorkspacesProviderTest, AccessLostDuringTheWalkEndsSilently) {
    const Workspace work = named("Work", 1, 1);
    start({work});
    walk.holding = true;
    provider->capture("Desk");
    provider->update(work.id);
    trusted = false;
    walk.releaseOldest();
    walk.releaseOldest();
    EXPECT_EQ(explainers, 0);
    EXPECT_EQ(names(), QStringList{"Work"});
    EXPECT_EQ(provider->workspaces()[0], work);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(reports.empty());
}

TEST_F(WorkspacesProviderTest, AWalkEndingAfterTheProviderIsGoneDoesNothing) {
    start();
    walk.holding = true;
    provider->capture("Desk");
    provider.reset();
    walk.releaseOldest();
    EXPECT_TRUE(reports.empty());
}

// The fan shows at most seven workspaces and "Capture Setup" after them:
// dragging that item never moves or removes a stored workspace.
TEST_F(WorkspacesProviderTest, FanDragsNeverTouchCaptureSetup) {
    std::vector<Workspace> nine;
    for (int i = 1; i <= 9; ++i)
        nine.push_back(named(QStringLiteral("W%1").arg(i)));
    start(nine);
    test::OneSectionDataSource source(SectionKind::workspaces, std::move(provider));
    auto& workspaces = static_cast<WorkspacesProvider&>(source->provider(SectionKind::workspaces));
    const auto stored = [&] {
        QStringList result;
        for (const Workspace& workspace : workspaces.workspaces())
            result << workspace.name;
        return result;
    };
    const QStringList before = stored();

    EXPECT_EQ(source->movableItemCount(SectionKind::workspaces), 7);
    EXPECT_FALSE(source->moveItem(SectionKind::workspaces, 7, 0));
    EXPECT_FALSE(source->moveItem(SectionKind::workspaces, 0, 7));
    EXPECT_FALSE(source->removeItem(SectionKind::workspaces, 7));
    EXPECT_EQ(stored(), before);

    EXPECT_TRUE(source->moveItem(SectionKind::workspaces, 0, 6));
    EXPECT_EQ(stored().mid(0, 8), (QStringList{"W2", "W3", "W4", "W5", "W6", "W7", "W1", "W8"}));

    for (int i = 0; i < 7; ++i)
        workspaces.deleteWorkspace(workspaces.workspaces().back().id);
    ASSERT_EQ(stored(), (QStringList{"W2", "W3"}));
    EXPECT_EQ(source->items(SectionKind::workspaces).back().label(), "Capture Setup");
    EXPECT_FALSE(source->moveItem(SectionKind::workspaces, 2, 0));
    EXPECT_FALSE(source->removeItem(SectionKind::workspaces, 2));
    const std::optional<MenuDataSource::Toast> toast =
        source->removeItem(SectionKind::workspaces, 0);
    ASSERT_TRUE(toast);
    EXPECT_EQ(toast->message, QStringLiteral(u"Workspace \u201cW2\u201d deleted"));
    toast->undo();
    EXPECT_EQ(stored(), (QStringList{"W2", "W3"}));
}

struct SignatureCase {
    const char* name;
    QList<QRect> frames;
    QString signature;
};

class DisplaySignatureTable : public ::testing::TestWithParam<SignatureCase> {};

TEST_P(DisplaySignatureTable, DescribesTheMonitors) {
    QList<Monitor> monitors;
    for (const QRect& frame : GetParam().frames)
        monitors.append({"M", frame, frame});
    EXPECT_EQ(displaySignature(monitors), GetParam().signature);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DisplaySignatureTable,
    ::testing::Values(SignatureCase{"None", {}, ""},
                      SignatureCase{"One", {QRect(0, 0, 1920, 1080)}, "1920x1080@0,0"},
                      SignatureCase{"TallerOnTheRight",
                                    {QRect(0, 0, 1512, 982), QRect(1512, 0, 1920, 1080)},
                                    "1512x982@0,0|1920x1080@1512,-98"},
                      SignatureCase{"AboveAndLeftOfAFirstThatIsNotAtTheOrigin",
                                    {QRect(1280, 300, 1920, 1080), QRect(0, 0, 1280, 1024)},
                                    "1920x1080@0,0|1280x1024@-1280,356"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vellaro
