#include "ConsoleModelFixture.h"

#include "model/EffectiveSections.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::ConsoleModelFixture;
using Sections = std::vector<SectionKind>;
constexpr auto ws = SectionKind::workspaces, wi = SectionKind::windows, ap = SectionKind::apps,
               fi = SectionKind::files, cl = SectionKind::clipboard, so = SectionKind::sound,
               ac = SectionKind::actions;

const DialPreset& builtIn(int index) {
    return DialPreset::builtIns()[std::size_t(index)];
}

struct ModelTest : ::testing::Test, ConsoleModelFixture {
    int saves = 0;
    ModelTest() {
        notifications.observe(settingsDidChangeNotification, [this](QObject*) { ++saves; });
    }
    std::vector<QString> presetNames() const {
        std::vector<QString> names;
        for (const DialPreset& p : store.settings().userPresets)
            names.push_back(p.name);
        return names;
    }
    // Runs what waits for the end of the current step.
    void settle() { scheduler.advance(std::chrono::milliseconds(0)); }
};

TEST_F(ModelTest, EditingABuiltInLandsInItsEditedCopy) {
    model->applyPreset(builtIn(1)); // Writer's Focus
    EXPECT_EQ(toastText(), "Applied “Writer's Focus”");
    ASSERT_EQ(model->builtinContext(), builtIn(1));

    store.setCustomSections({ac, ws, cl, fi});
    settle();
    scheduler.advance(ConsoleModel::toastDuration); // the Applied toast runs out first
    EXPECT_EQ(presetNames(), std::vector<QString>{"Writer's Focus · edited"});
    EXPECT_EQ(store.settings().userPresets[0].sections, (Sections{ac, ws, cl, fi}));
    EXPECT_EQ(toastText(),
              "Changes live in “Writer's Focus · edited” — “Writer's Focus” stays intact");
    EXPECT_EQ(builtIn(1).sections, (Sections{ws, ac, cl, fi}));

    scheduler.advance(ConsoleModel::toastDuration);
    store.setCustomSections({cl, ac, ws, fi});
    settle();
    EXPECT_EQ(presetNames().size(), 1u);
    EXPECT_EQ(store.settings().userPresets[0].sections, (Sections{cl, ac, ws, fi}));
    EXPECT_FALSE(model->toast()) << "a further edit updates the copy quietly";

    // Back to exactly the built-in: it is the context again and nothing is written.
    const int before = saves;
    store.setCustomSections(builtIn(2).sections);
    EXPECT_EQ(model->builtinContext(), builtIn(2));
    EXPECT_EQ(saves, before + 1);
    EXPECT_EQ(presetNames().size(), 1u);
}

TEST_F(ModelTest, AnExistingEditedCopyIsUpdatedWithoutToast) {
    store.addPreset("Media & Calls · edited", {ws, wi});
    relaunch();
    model->applyPreset(builtIn(2));
    scheduler.advance(ConsoleModel::toastDuration);
    store.setCustomSections({so, ap});
    settle();
    EXPECT_EQ(presetNames().size(), 1u);
    EXPECT_EQ(store.settings().userPresets[0].sections, (Sections{so, ap}));
    EXPECT_FALSE(model->toast());
}

TEST_F(ModelTest, AUserPresetEqualToABuiltInTakesItsContext) {
    store.addPreset("Mine", builtIn(1).sections);
    store.setCustomSections({ap, wi});
    relaunch();
    EXPECT_FALSE(model->builtinContext());
    model->applyPreset(store.settings().userPresets[0]);
    EXPECT_EQ(model->builtinContext(), builtIn(1));
}

TEST_F(ModelTest, HistoryRecordsArrangementChangesOnly) {
    struct Case {
        const char* name;
        std::function<void(ConsoleModelFixture&)> change;
        std::size_t steps;
    } cases[] = {
        {"reorder",
         [](auto& f) {
             f.store.setCustomSections({wi, ws, ap});
         },
         1},
        {"theme", [](auto& f) { f.store.setTheme(ThemeChoice::eclipse); }, 0},
        {"size", [](auto& f) { f.store.setScale(MenuScale::large); }, 0},
        {"preset list",
         [](auto& f) {
             f.store.addPreset("A", {ws, wi});
         },
         0},
        {"preset equal to the dial", [](auto& f) { f.model->applyPreset(builtIn(0)); }, 0},
        {"standard made custom unchanged",
         [](auto& f) { f.store.setCustomSections(standardSections()); }, 0},
        {"one-entry custom list shows the standard six",
         [](auto& f) { f.store.setCustomSections({so}); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store.update([](VellaroSettings& s) { s = VellaroSettings(); });
        relaunch();
        c.change(*this);
        EXPECT_EQ(model->arrangementHistory().size(), c.steps);
    }
}

TEST_F(ModelTest, UndoRestoresWithoutNewStepsAndKeepsThirty) {
    std::vector<Sections> lists;
    for (int i = 0; i < 31; ++i) {
        Sections list = standardSections();
        std::rotate(list.begin(), list.begin() + (i % 5) + 1, list.end());
        if (i % 2)
            list.push_back(so);
        lists.push_back(list);
        store.setCustomSections(list);
    }
    EXPECT_EQ(model->arrangementHistory().size(), ConsoleModel::historyLimit);
    model->undoArrangement();
    EXPECT_EQ(store.settings().customSections, lists[29]);
    EXPECT_EQ(model->arrangementHistory().size(), 29u);
    for (int i = 0; i < 29; ++i)
        model->undoArrangement();
    // The oldest kept step is the first list; the standard list before it fell out.
    EXPECT_EQ(store.settings().customSections, lists[0]);
    EXPECT_EQ(store.settings().arrangement, DialArrangement::custom);
    EXPECT_TRUE(model->arrangementHistory().empty());
    const int before = saves;
    model->undoArrangement();
    EXPECT_EQ(saves, before);
}

TEST_F(ModelTest, UndoOfTheStandardListLeavesItCustom) {
    store.setCustomSections({wi, ws});
    model->undoArrangement();
    EXPECT_EQ(store.settings().arrangement, DialArrangement::custom);
    EXPECT_EQ(store.settings().customSections, standardSections());
    EXPECT_TRUE(model->arrangementHistory().empty());
}

TEST_F(ModelTest, PresetOperationsOnMissingOrDuplicatePresets) {
    model->saveCurrentPreset("Twice");
    model->saveCurrentPreset("Twice");
    ASSERT_EQ(presetNames(), (std::vector<QString>{"Twice", "Twice"}));
    EXPECT_NE(store.settings().userPresets[0].id, store.settings().userPresets[1].id);
    EXPECT_EQ(toastText(), "Saved “Twice”");
    scheduler.advance(ConsoleModel::toastDuration);

    const DialPreset gone = DialPreset::make("Gone", {ws, wi});
    const VellaroSettings before = store.settings();
    const int savesBefore = saves;
    model->renamePreset(gone, "X");
    model->deletePreset(gone);
    model->updatePresetFromDial(gone);
    EXPECT_EQ(store.settings().userPresets, before.userPresets);
    EXPECT_EQ(saves, savesBefore + 3);
    EXPECT_FALSE(model->toast()) << "no preset was updated";

    const DialPreset first = store.settings().userPresets[0];
    store.setCustomSections({fi, cl});
    model->updatePresetFromDial(first);
    EXPECT_EQ(toastText(), "“Twice” updated");
    EXPECT_EQ(store.settings().userPresets[0].sections, (Sections{fi, cl}));
    model->renamePreset(first, "Once");
    model->deletePreset(store.settings().userPresets[1]);
    // The standard dial is a built-in, so the edit above also made its copy.
    EXPECT_EQ(presetNames(), (std::vector<QString>{"Once", "Ultimate Productivity · edited"}));
}

TEST_F(ModelTest, ANewToastReplacesTheOldAndKeepsItsOwnFourSeconds) {
    model->showToast("first");
    scheduler.advance(std::chrono::seconds(3));
    model->showToast("second");
    scheduler.advance(std::chrono::seconds(3));
    EXPECT_EQ(toastText(), "second");
    scheduler.advance(std::chrono::seconds(1));
    EXPECT_FALSE(model->toast());
}

TEST_F(ModelTest, ToastUndoRunsThenTheToastGoes) {
    int undone = 0;
    model->showToast("Sound returned to the library", [&] { ++undone; });
    model->undoFromToast();
    EXPECT_EQ(undone, 1);
    EXPECT_FALSE(model->toast());
}

TEST_F(ModelTest, TheProtectionNoticeFollowsTheEditsToast) {
    model->applyPreset(builtIn(0));
    scheduler.advance(ConsoleModel::toastDuration);
    // A removal on the dial: its write, then its own toast, in one step.
    Sections rest = builtIn(0).sections;
    rest.pop_back();
    store.setCustomSections(rest);
    model->showToast("Files returned to the library", [] {});
    settle();
    EXPECT_EQ(toastText(), "Files returned to the library");
    scheduler.advance(ConsoleModel::toastDuration);
    EXPECT_EQ(toastText(),
              "Changes live in “Ultimate Productivity · edited” — “Ultimate Productivity” stays "
              "intact");
    scheduler.advance(std::chrono::milliseconds(3999));
    EXPECT_TRUE(model->toast());
    scheduler.advance(std::chrono::milliseconds(1));
    EXPECT_FALSE(model->toast());
}

TEST_F(ModelTest, AnObserverEditingOnEveryChangeRecordsOneStep) {
    int reactions = 0;
    store.addObserver([&] {
        ++reactions;
        if (reactions < 50)
            store.setTheme(reactions % 2 ? ThemeChoice::eclipse : ThemeChoice::pearl);
    });
    model->applyPreset(builtIn(2));
    EXPECT_EQ(model->arrangementHistory().size(), 1u);
    store.setCustomSections({so, ap, wi});
    settle();
    EXPECT_EQ(model->arrangementHistory().size(), 2u);
    EXPECT_EQ(presetNames(), std::vector<QString>{"Media & Calls · edited"});
    EXPECT_EQ(model->settings().customSections, store.settings().customSections);
}

TEST_F(ModelTest, CoachShowsUntilTheFirstDragForGood) {
    EXPECT_TRUE(model->showCoach());
    model->dismissCoach();
    EXPECT_FALSE(model->showCoach());
    EXPECT_TRUE(defaults.boolValue(ConsoleModel::coachedKey));
    relaunch();
    EXPECT_FALSE(model->showCoach());
}

} // namespace
} // namespace vellaro
