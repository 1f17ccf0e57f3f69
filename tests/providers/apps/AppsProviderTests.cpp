#include "providers/apps/AppsProvider.h"

#include "AppsProviderFixture.h"
#include "model/LogCapture.h"
#include "support/WaitUntil.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vellaro {
namespace {
using test::AppsProviderFixture;

struct EditCase {
    const char* name;
    QStringList pins;
    QStringList uninstalled;
    std::function<void(AppsProvider&, AppsProviderFixture&)> edit;
    QStringList expectedPins;
    int expectedChanges;
    bool expectSaved;
};

class AppsProviderEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(AppsProviderEditTest, EditsThePinnedList) {
    const EditCase& c = GetParam();
    AppsProviderFixture fixture;
    fixture.pinFile(c.pins);
    for (const QString& id : c.uninstalled)
        fixture.uninstall(id);
    AppsProvider& provider = fixture.make();
    QFile::remove(fixture.storePath());

    c.edit(provider, fixture);

    EXPECT_EQ(fixture.pinnedIds(), c.expectedPins) << c.name;
    EXPECT_EQ(fixture.changes, c.expectedChanges) << c.name;
    EXPECT_EQ(QFile::exists(fixture.storePath()), c.expectSaved) << c.name;
    if (c.expectSaved) {
        EXPECT_EQ(AppsStore(fixture.storePath(), {}).load().pinned, provider.configuration().pinned)
            << c.name;
    }
}

using Edit = std::function<void(AppsProvider&, AppsProviderFixture&)>;

INSTANTIATE_TEST_SUITE_P(
    Table, AppsProviderEditTest,
    ::testing::Values(EditCase{"dragging the first item onto the third",
                               {"a", "b", "c"},
                               {},
                               Edit([](AppsProvider& p, auto&) { EXPECT_TRUE(p.moveEntry(0, 2)); }),
                               {"b", "c", "a"},
                               1,
                               true},
                      EditCase{"dragging the third item onto the first",
                               {"a", "b", "c"},
                               {},
                               Edit([](AppsProvider& p, auto&) { EXPECT_TRUE(p.moveEntry(2, 0)); }),
                               {"c", "a", "b"},
                               1,
                               true},
                      EditCase{"dragging maps dial indices past a missing pin",
                               {"a", "x", "b", "c"},
                               {"x"},
                               Edit([](AppsProvider& p, auto&) { EXPECT_TRUE(p.moveEntry(0, 2)); }),
                               {"x", "b", "c", "a"},
                               1,
                               true},
                      EditCase{"a drag onto itself or out of range does nothing",
                               {"a", "b"},
                               {},
                               Edit([](AppsProvider& p, auto&) {
                                   EXPECT_FALSE(p.moveEntry(1, 1));
                                   EXPECT_FALSE(p.moveEntry(0, 2));
                                   EXPECT_FALSE(p.moveEntry(-1, 0));
                               }),
                               {"a", "b"},
                               0,
                               false},
                      EditCase{"removing then undoing restores the old position",
                               {"a", "b", "c"},
                               {},
                               Edit([](AppsProvider& p, auto&) {
                                   const auto undo = p.removeEntry(1);
                                   ASSERT_TRUE(undo);
                                   undo();
                               }),
                               {"a", "b", "c"},
                               2,
                               true},
                      EditCase{"undoing after the app was pinned again does nothing",
                               {"a", "b", "c"},
                               {},
                               Edit([](AppsProvider& p, AppsProviderFixture& f) {
                                   const auto undo = p.removeEntry(1);
                                   p.add({{"b", "B", f.entryPath("b")}});
                                   undo();
                               }),
                               {"a", "c", "b"},
                               2,
                               true},
                      EditCase{"undoing the last of three after the list shrank puts it at the end",
                               {"a", "b", "c"},
                               {},
                               Edit([](AppsProvider& p, auto&) {
                                   const auto undo = p.removeEntry(2);
                                   p.remove("a");
                                   undo();
                               }),
                               {"b", "c"},
                               3,
                               true},
                      EditCase{"the add item or an index out of range removes nothing",
                               {"a", "b"},
                               {},
                               Edit([](AppsProvider& p, auto&) {
                                   EXPECT_FALSE(p.removeItem(2));
                                   EXPECT_FALSE(p.removeItem(-1));
                               }),
                               {"a", "b"},
                               0,
                               false},
                      EditCase{"stepping the first pin up does nothing and writes nothing",
                               {"a", "b"},
                               {},
                               Edit([](AppsProvider& p, auto&) { p.move("a", -1); }),
                               {"a", "b"},
                               0,
                               false},
                      EditCase{"stepping an unknown pin does nothing",
                               {"a", "b"},
                               {},
                               Edit([](AppsProvider& p, auto&) { p.move("zz", 1); }),
                               {"a", "b"},
                               0,
                               false},
                      EditCase{"stepping down swaps with the next pin",
                               {"a", "b", "c"},
                               {},
                               Edit([](AppsProvider& p, auto&) { p.move("a", 1); }),
                               {"b", "a", "c"},
                               1,
                               true},
                      EditCase{"adding apps all pinned already still saves and announces",
                               {"a", "b"},
                               {},
                               Edit([](AppsProvider& p, AppsProviderFixture& f) {
                                   p.add({{"a", "A", f.entryPath("a")}});
                               }),
                               {"a", "b"},
                               1,
                               true},
                      EditCase{"an app named twice in one add is pinned once",
                               {"a"},
                               {},
                               Edit([](AppsProvider& p, AppsProviderFixture& f) {
                                   p.add({{"c", "C", f.entryPath("c")},
                                          {"b", "B", f.entryPath("b")},
                                          {"c", "C", f.entryPath("c")}});
                               }),
                               {"a", "c", "b"},
                               1,
                               true},
                      EditCase{"removing by ID removes every pin of it",
                               {"a", "b"},
                               {},
                               Edit([](AppsProvider& p, auto&) { p.remove("a"); }),
                               {"b"},
                               1,
                               true}));

TEST(AppsProviderTest, ShowsSevenResolvablePinsThenAddApp) {
    const struct {
        const char* name;
        QStringList pins;
        QStringList uninstalled;
        QStringList labels;
    } cases[] = {
        {"nine pins",
         {"a", "b", "c", "d", "e", "f", "g", "h", "i"},
         {},
         {"A", "B", "C", "D", "E", "F", "G", "Add App"}},
        {"two early pins no longer installed",
         {"a", "b", "c", "d", "e", "f", "g", "h", "i"},
         {"b", "c"},
         {"A", "D", "E", "F", "G", "H", "I", "Add App"}},
        {"no pins", {}, {}, {"Add App"}},
    };
    for (const auto& c : cases) {
        AppsProviderFixture fixture;
        fixture.pinFile(c.pins);
        for (const QString& id : c.uninstalled)
            fixture.uninstall(id);
        AppsProvider& provider = fixture.make();
        EXPECT_EQ(fixture.labels(), c.labels) << c.name;
        EXPECT_EQ(fixture.pinnedIds(), c.pins) << c.name << ": missing pins stay pinned";
        EXPECT_EQ(provider.removableItemCount(), c.labels.size() - 1) << c.name;
    }
}

TEST(AppsProviderTest, TheAddItemOpensThePicker) {
    AppsProviderFixture fixture;
    fixture.pinFile({"a"});
    AppsProvider& provider = fixture.make();
    const std::vector<MenuItem> items = provider.items();
    EXPECT_EQ(items.back().icon().symbolName(), QStringLiteral("plus"));
    EXPECT_TRUE(items.back().menuActions.empty());
    items.back().action();
    EXPECT_EQ(fixture.pickerShown, 1);
}

TEST(AppsProviderTest, AMovedEntryIsFoundByItsIdAndTheStoredPathStays) {
    AppsProviderFixture fixture;
    AppsConfiguration configuration;
    configuration.pinned.push_back({"a", "A", "/old/place/a.desktop"});
    AppsStore(fixture.storePath(), {}).save(configuration);
    AppsProvider& provider = fixture.make();
    ASSERT_EQ(provider.entries().size(), 1u);
    EXPECT_EQ(provider.entries()[0].path, fixture.entryPath("a"));
    provider.items().front().action();
    EXPECT_EQ(fixture.launcher.launched, QStringList{"a"});
    EXPECT_EQ(provider.configuration().pinned[0].path, QStringLiteral("/old/place/a.desktop"));
}

TEST(AppsProviderTest, RunningDotsFollowTheRunningApps) {
    AppsProviderFixture fixture;
    fixture.pinFile({"a", "b"});
    AppsProvider& provider = fixture.make();
    EXPECT_FALSE(provider.items()[0].showsRunningDot);

    fixture.running.setRunning({"a", "unpinned"});
    EXPECT_EQ(fixture.changes, 1);
    EXPECT_TRUE(provider.items()[0].showsRunningDot);
    EXPECT_FALSE(provider.items()[1].showsRunningDot);

    fixture.running.setRunning({"a"});
    EXPECT_EQ(fixture.changes, 1) << "no dot changed";
    provider.refresh();
    EXPECT_EQ(fixture.changes, 1);

    fixture.running.setRunning({});
    EXPECT_EQ(fixture.changes, 2);
    EXPECT_FALSE(provider.items()[0].showsRunningDot);
    EXPECT_FALSE(fixture.storedText().isEmpty()) << "the pins file was there before";
}

QStringList titles(const std::vector<MenuAction>& actions) {
    QStringList names;
    for (const MenuAction& action : actions)
        names << action.title();
    return names;
}

TEST(AppsProviderTest, MenusOfferHideAndQuitOnlyForRunningApps) {
    AppsProviderFixture fixture;
    fixture.pinFile({"a", "b"});
    fixture.running.running = {"b"};
    AppsProvider& provider = fixture.make();
    const std::vector<MenuItem> items = provider.items();
    EXPECT_EQ(titles(items[0].menuActions),
              (QStringList{"Open", "Reveal in Files", "Remove from Vellaro"}));
    ASSERT_EQ(titles(items[1].menuActions),
              (QStringList{"Open", "Reveal in Files", "Hide", "Quit", "Remove from Vellaro"}));

    items[1].menuActions[1].run();
    items[1].menuActions[2].run();
    items[1].menuActions[3].run();
    EXPECT_EQ(fixture.desktop.revealed, QStringList{fixture.entryPath("b")});
    EXPECT_EQ(fixture.running.hidden, QStringList{"b"});
    EXPECT_EQ(fixture.running.quitted, QStringList{"b"});
    items[1].menuActions[4].run();
    EXPECT_EQ(fixture.pinnedIds(), QStringList{"a"});
}

TEST(AppsProviderTest, ActivatingBringsARunningAppForwardAndLaunchesOnlyOtherwise) {
    AppsProviderFixture fixture;
    fixture.pinFile({"a", "b"});
    fixture.running.running = {"a"};
    AppsProvider& provider = fixture.make();
    const std::vector<MenuItem> items = provider.items();

    items[0].action();
    EXPECT_EQ(fixture.running.activated, QStringList{"a"});
    EXPECT_TRUE(fixture.launcher.launched.isEmpty()) << "a second copy must not start";

    items[1].action();
    EXPECT_EQ(fixture.launcher.launched, QStringList{"b"});

    fixture.launcher.failure = QStringLiteral("No such file or directory");
    test::LogCapture log("vellaro.apps");
    items[1].menuActions[0].run();
    EXPECT_EQ(log.count(QStringLiteral("Open failed for B: No such file or directory")), 1);
}

TEST(AppsProviderTest, HandlersDoNothingOnceTheProviderIsGone) {
    AppsProviderFixture fixture;
    fixture.pinFile({"a", "b"});
    AppsProvider& provider = fixture.make();
    const std::vector<MenuItem> items = provider.items();
    const auto undo = provider.removeEntry(0);
    fixture.provider.reset();
    items[0].action();
    items[0].menuActions.back().run();
    undo();
    EXPECT_TRUE(fixture.launcher.launched.isEmpty());
}

TEST(AppsProviderTest, TheSettingsPaneSeesPinsInstalledAppsAndIcons) {
    AppsProviderFixture fixture;
    fixture.pinFile({"a", "gone"});
    fixture.installedApps = {{"b", "B", fixture.entryPath("b")}};
    AppsPaneSource& pane = fixture.make();

    const std::vector<AppsPaneSource::PinnedEntry> pins = pane.pinnedEntries();
    ASSERT_EQ(pins.size(), 1u);
    EXPECT_EQ(pins[0].name, QStringLiteral("A"));
    EXPECT_EQ(pane.pinnedBundleIDs(), (QSet<QString>{"a", "gone"}));

    const std::optional<AppsPaneSource::AppLook> b = pane.lookUp(QStringLiteral("b"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->name, QStringLiteral("B"));
    EXPECT_FALSE(b->icon.isNull());
    EXPECT_FALSE(pane.lookUp(QStringLiteral("gone")));
    EXPECT_FALSE(pane.icon(fixture.installedApps[0]).isNull());

    // An answer for a pane that is gone is dropped; a live one gets the list.
    auto* gone = new QObject;
    bool goneAnswered = false;
    pane.installedApps(gone, [&](const std::vector<InstalledApp>&) { goneAnswered = true; });
    delete gone;
    QObject live;
    std::vector<InstalledApp> received;
    pane.installedApps(&live, [&](const std::vector<InstalledApp>& apps) { received = apps; });
    ASSERT_TRUE(test::waitUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received, fixture.installedApps);
    EXPECT_FALSE(goneAnswered);
}

} // namespace
} // namespace vellaro
