#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "model/WindowsSectionProvider.h"
#include "platform/session/Notifications.h"
#include "platform/windows/WindowAccessTrust.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace vellaro {
namespace {

struct FakeTrust final : WindowAccessTrust {
    bool trusted = false;
    bool isTrusted() override { return trusted; }
};

// A provider whose items are labels; removal takes the label out. It also
// remembers the window-access trust, as the windows section does.
class FakeProvider final : public WindowsSectionProvider {
public:
    FakeProvider(SectionKind kind, std::vector<SectionKind>& refreshLog)
        : kind_(kind), refreshLog_(refreshLog) {}

    std::vector<QString> labels;
    std::int64_t removable = 0;
    std::optional<QString> removalTitle;
    bool givesUndo = true;
    int itemsCalls = 0;
    std::vector<std::int64_t> removed;
    int undoCalls = 0;

    std::vector<MenuItem> items() override {
        ++itemsCalls;
        std::vector<MenuItem> items;
        for (const QString& label : labels)
            items.emplace_back(label, MenuItem::Icon::symbol(QStringLiteral("folder")));
        return items;
    }
    void refresh() override { refreshLog_.push_back(kind_); }
    std::int64_t removableItemCount() override { return removable; }
    std::optional<Removal> removeItem(std::int64_t index) override {
        removed.push_back(index);
        labels.erase(labels.begin() + index);
        changed();
        if (!givesUndo)
            return Removal{{}, removalTitle};
        return Removal{[this] { ++undoCalls; }, removalTitle};
    }
    bool moveItem(std::int64_t from, std::int64_t to) override {
        const QString label = labels[std::size_t(from)];
        labels.erase(labels.begin() + from);
        labels.insert(labels.begin() + to, label);
        changed();
        return true;
    }
    void announceChange() { changed(); }

private:
    SectionKind kind_;
    std::vector<SectionKind>& refreshLog_;
};

std::vector<QString> numbered(const QString& stem, int count) {
    std::vector<QString> labels;
    for (int i = 0; i < count; ++i)
        labels.push_back(stem + QString::number(i));
    return labels;
}

class MenuDataSourceTest : public ::testing::Test {
protected:
    MenuDataSourceTest() : store(folder.path(), notifications) {
        source = std::make_unique<MenuDataSource>(store, trust, [this](SectionKind kind) {
            created.push_back(kind);
            auto provider = std::make_unique<FakeProvider>(kind, refreshLog);
            fakes[kind] = provider.get();
            return provider;
        });
    }

    FakeProvider& fake(SectionKind kind) { return *fakes.at(kind); }
    int itemsCalls() {
        int total = 0;
        for (auto& [kind, provider] : fakes)
            total += provider->itemsCalls;
        return total;
    }

    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore store;
    FakeTrust trust;
    std::vector<SectionKind> created;
    std::vector<SectionKind> refreshLog;
    std::map<SectionKind, FakeProvider*> fakes;
    std::unique_ptr<MenuDataSource> source;
};

TEST_F(MenuDataSourceTest, CreatesTheSevenProvidersInOrderAndListensToEach) {
    const std::vector<SectionKind> order{
        SectionKind::apps,  SectionKind::windows,    SectionKind::files,  SectionKind::clipboard,
        SectionKind::sound, SectionKind::workspaces, SectionKind::actions};
    EXPECT_EQ(created, order);
    int heard = 0;
    source->addObserver([&] { ++heard; });
    for (SectionKind kind : order) {
        EXPECT_EQ(&source->provider(kind), fakes.at(kind));
        fake(kind).announceChange();
    }
    EXPECT_EQ(heard, 7);
}

TEST_F(MenuDataSourceTest, ConfigurationFollowsTheEffectiveSectionsWithEightItemsAtMost) {
    // Each section's item count names it in the configuration.
    const std::map<SectionKind, int> counts{{SectionKind::workspaces, 1}, {SectionKind::windows, 2},
                                            {SectionKind::apps, 3},       {SectionKind::files, 4},
                                            {SectionKind::clipboard, 5},  {SectionKind::sound, 6},
                                            {SectionKind::actions, 11}};
    for (auto [kind, count] : counts)
        fake(kind).labels = numbered(QStringLiteral("item"), count);

    using S = SectionKind;
    struct Case {
        const char* name;
        DialArrangement arrangement;
        std::vector<SectionKind> custom;
        std::vector<std::int64_t> itemCounts;
    };
    const std::vector<std::int64_t> standard{1, 2, 3, 8, 5, 4};
    const Case cases[] = {
        {"standard ignores the custom list",
         DialArrangement::standard,
         {S::sound, S::apps},
         standard},
        {"custom list", DialArrangement::custom, {S::sound, S::apps}, {6, 3}},
        {"custom list of one", DialArrangement::custom, {S::sound}, standard},
        {"empty custom list", DialArrangement::custom, {}, standard},
        {"duplicates as they stand",
         DialArrangement::custom,
         {S::apps, S::apps, S::sound},
         {3, 3, 6}},
        {"at most seven sections",
         DialArrangement::custom,
         {S::files, S::files, S::files, S::files, S::files, S::files, S::files, S::sound},
         {4, 4, 4, 4, 4, 4, 4}},
    };
    for (const Case& c : cases) {
        store.update([&](VellaroSettings& settings) {
            settings.arrangement = c.arrangement;
            settings.customSections = c.custom;
        });
        const MenuConfiguration configuration = source->menuConfiguration();
        EXPECT_EQ(configuration.itemCounts, c.itemCounts) << c.name;
        EXPECT_EQ(configuration.sectionCount, static_cast<std::int64_t>(c.itemCounts.size()))
            << c.name;
    }

    const std::vector<MenuItem> actions = source->items(SectionKind::actions);
    ASSERT_EQ(actions.size(), 8u);
    EXPECT_EQ(actions.front().label(), QStringLiteral("item0"));
    EXPECT_EQ(actions.back().label(), QStringLiteral("item7"));
    EXPECT_EQ(source->items(SectionKind::files).size(), 4u);
}

TEST_F(MenuDataSourceTest, ItemsAreBuiltOnceUntilTheirProviderChangesOrTheDialOpens) {
    fake(SectionKind::apps).labels = numbered(QStringLiteral("app"), 2);
    source->menuConfiguration();
    const int firstBuild = itemsCalls();
    EXPECT_EQ(firstBuild, 6); // the six standard sections

    // Pointer moves ask again and again: nothing is rebuilt.
    for (int i = 0; i < 5; ++i)
        source->menuConfiguration();
    source->items(SectionKind::apps);
    EXPECT_EQ(itemsCalls(), firstBuild);

    // A change of one section rebuilds that section only, and is seen.
    fake(SectionKind::apps).labels = numbered(QStringLiteral("app"), 5);
    fake(SectionKind::apps).announceChange();
    EXPECT_EQ(source->menuConfiguration().itemCount(2), 5);
    EXPECT_EQ(itemsCalls(), firstBuild + 1);

    // Opening the dial rebuilds every section.
    source->refresh();
    source->menuConfiguration();
    EXPECT_EQ(itemsCalls(), firstBuild + 7);

    // So does a settings change: some sections read the settings.
    store.setTheme(ThemeChoice::eclipse);
    source->menuConfiguration();
    EXPECT_EQ(itemsCalls(), firstBuild + 13);
}

TEST_F(MenuDataSourceTest, RefreshRechecksWindowAccessAndRefreshesTheStaleSections) {
    int heard = 0;
    source->addObserver([&] { ++heard; });

    source->refresh();
    EXPECT_EQ(heard, 0) << "grant unchanged";
    const std::vector<SectionKind> refreshed{SectionKind::apps, SectionKind::clipboard,
                                             SectionKind::sound, SectionKind::actions};
    EXPECT_EQ(refreshLog, refreshed);

    trust.trusted = true;
    source->refresh();
    EXPECT_EQ(heard, 1) << "grant given";
    source->refresh();
    EXPECT_EQ(heard, 1) << "grant unchanged";
    trust.trusted = false;
    source->refresh();
    EXPECT_EQ(heard, 2) << "grant withdrawn";
}

TEST_F(MenuDataSourceTest, ObserversRemovedOrAddedDuringANotification) {
    std::vector<std::string> calls;
    QUuid second;
    QUuid first = source->addObserver([&] {
        calls.push_back("first");
        source->removeObserver(first); // removes itself
        source->removeObserver(second);
        source->addObserver([&] { calls.push_back("added"); });
    });
    second = source->addObserver([&] { calls.push_back("second"); });
    source->addObserver([&] { calls.push_back("third"); });

    source->notifyObservers();
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "third"}));
    calls.clear();
    source->notifyObservers();
    EXPECT_EQ(calls, (std::vector<std::string>{"third", "added"}));
}

TEST_F(MenuDataSourceTest, RemovingAnItemDraggedOffTheDial) {
    using S = SectionKind;
    // Apps: ten pinned, the fan shows seven and "Add App".
    std::vector<QString> apps = numbered(QStringLiteral("App"), 7);
    apps.push_back(QStringLiteral("Add App"));
    struct Case {
        const char* name;
        SectionKind section;
        std::vector<QString> labels;
        std::int64_t removable;
        std::optional<QString> title;
        bool givesUndo;
        std::int64_t index;
        std::optional<QString> message;
    };
    const std::vector<QString> workspaces{QStringLiteral("Desk"), QStringLiteral("Couch"),
                                          QStringLiteral("Capture Setup")};
    const std::vector<QString> actions{QStringLiteral("Screenshot"), QStringLiteral("Unmute Mic")};
    const Case cases[] = {
        {"app", S::apps, apps, 7, {}, true, 2, QStringLiteral("App2 unpinned")},
        {"app add item", S::apps, apps, 7, {}, true, 7, std::nullopt},
        {"app past the fan", S::apps, apps, 10, {}, true, 8, std::nullopt},
        {"app negative", S::apps, apps, 7, {}, true, -1, std::nullopt},
        {"app without undo", S::apps, apps, 7, {}, false, 0, std::nullopt},
        {"workspace",
         S::workspaces,
         workspaces,
         2,
         {},
         true,
         1,
         QString::fromUtf8("Workspace \u201cCouch\u201d deleted")},
        {"workspace capture item", S::workspaces, workspaces, 2, {}, true, 2, std::nullopt},
        {"action", S::actions, actions, 2, QStringLiteral("Unmute Mic"), true, 1,
         QString::fromUtf8("Unmute Mic hidden \u2014 re-add from the Actions panel")},
        {"action without title", S::actions, actions, 2, {}, true, 1, std::nullopt},
        {"windows", S::windows, actions, 2, {}, true, 0, std::nullopt},
        {"files", S::files, actions, 2, {}, true, 0, std::nullopt},
        {"clipboard", S::clipboard, actions, 2, {}, true, 0, std::nullopt},
        {"sound", S::sound, actions, 2, {}, true, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        FakeProvider& provider = fake(c.section);
        provider.labels = c.labels;
        provider.removable = c.removable;
        provider.removalTitle = c.title;
        provider.givesUndo = c.givesUndo;
        provider.removed.clear();
        provider.undoCalls = 0;
        provider.announceChange();

        const std::optional<MenuDataSource::Toast> toast = source->removeItem(c.section, c.index);
        ASSERT_EQ(toast.has_value(), c.message.has_value()) << c.name;
        const bool inRange = c.index >= 0 && c.index < std::min<std::int64_t>(c.removable, 8) &&
                             c.index < static_cast<std::int64_t>(c.labels.size());
        const bool removableSection =
            c.section == S::apps || c.section == S::workspaces || c.section == S::actions;
        EXPECT_EQ(provider.removed.size(), inRange && removableSection ? 1u : 0u) << c.name;
        if (toast) {
            EXPECT_EQ(toast->message, *c.message) << c.name;
            toast->undo();
            EXPECT_EQ(provider.undoCalls, 1) << c.name;
            // What the fan shows now no longer holds the removed item.
            EXPECT_EQ(source->items(c.section).size(), c.labels.size() - 1) << c.name;
        }
    }
}

TEST_F(MenuDataSourceTest, MovingASavedEntryWithinTheFan) {
    using S = SectionKind;
    std::vector<QString> apps = numbered(QStringLiteral("App"), 3);
    apps.push_back(QStringLiteral("Add App"));
    struct Case {
        const char* name;
        SectionKind section;
        std::int64_t from, to;
        std::vector<QString> after; // empty: nothing moved
    };
    const Case cases[] = {
        {"forward", S::apps, 0, 2, {"App1", "App2", "App0", "Add App"}},
        {"back", S::apps, 2, 0, {"App2", "App0", "App1", "Add App"}},
        {"onto the add item", S::apps, 0, 3, {}},
        {"the add item itself", S::apps, 3, 0, {}},
        {"in place", S::apps, 1, 1, {}},
        {"negative", S::apps, -1, 1, {}},
        {"a section that keeps no order", S::windows, 0, 1, {}},
    };
    for (const Case& c : cases) {
        FakeProvider& provider = fake(c.section);
        provider.labels = apps;
        provider.removable = 3;
        provider.announceChange();
        EXPECT_EQ(source->moveItem(c.section, c.from, c.to), !c.after.empty()) << c.name;
        std::vector<QString> shown;
        for (const MenuItem& item : source->items(c.section))
            shown.push_back(item.label());
        EXPECT_EQ(shown, c.after.empty() ? apps : c.after) << c.name;
    }
    fake(S::apps).labels = apps;
    fake(S::apps).announceChange();
    EXPECT_EQ(source->movableItemCount(S::apps), 3);
    EXPECT_EQ(source->movableItemCount(S::windows), 0);
}

} // namespace
} // namespace vellaro
