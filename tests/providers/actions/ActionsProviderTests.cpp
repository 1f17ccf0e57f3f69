#include "FakeActionServices.h"
#include "model/LogCapture.h"
#include "model/SettingsStore.h"
#include "model/SymbolCatalog.h"
#include "platform/session/Notifications.h"
#include "providers/actions/ActionsProvider.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::FakeAuthorization;
using test::FakeInputMute;
using test::FakeKeepAwake;

const QStringList catalogLabels{"Screenshot Area", "Screenshot Window", "Do Not Disturb",
                                "Dark Mode",       "Lock Screen",       "Mute Mic",
                                "Keep Awake",      "Empty Trash"};
const QStringList catalogIds{"screenshot-area", "screenshot-window", "focus",      "dark-mode",
                             "lock-screen",     "mic-mute",          "keep-awake", "empty-trash"};

// A provider on a real settings store in a temporary folder.
class ActionsProviderTest : public ::testing::Test {
protected:
    ActionsProviderTest()
        : store(folder.path(), notifications),
          provider(store, authorization, input, keepAwake, recordingRunners()) {
        provider.setOnChange([this] { ++changes; });
    }

    ActionRunners recordingRunners() {
        ActionRunners runners;
        runners.screenshot = [this](ScreenshotArea area, ScreenshotDestination destination) {
            ran << QStringLiteral("screenshot %1 %2")
                       .arg(area == ScreenshotArea::area ? "area" : "window",
                            destination == ScreenshotDestination::file ? "file" : "clipboard");
        };
        runners.toggleDoNotDisturb = [this] { ran << "dnd"; };
        runners.showDoNotDisturbSetup = [this] { ran << "dnd setup"; };
        runners.doNotDisturbBackend = [this] { return backend; };
        runners.watchDoNotDisturbBackend = [this](std::function<void()> changed) {
            backendChanged = std::move(changed);
        };
        runners.toggleDarkMode = [this] { ran << "dark"; };
        runners.lockScreen = [this] { ran << "lock"; };
        runners.emptyTrash = [this] { ran << "trash"; };
        runners.withMicrophone = [this](std::function<void()> action) {
            if (authorization.current == MicrophoneAuthorization::authorized)
                action();
            else
                parked = std::move(action);
        };
        return runners;
    }

    QStringList labels() {
        QStringList result;
        for (const MenuItem& item : provider.items())
            result << item.label();
        return result;
    }
    MenuItem item(const QString& label) {
        for (MenuItem& item : provider.items()) {
            if (item.label() == label)
                return item;
        }
        ADD_FAILURE() << "no item " << label.toStdString();
        return MenuItem(QString(), MenuItem::Icon::symbol(QString()));
    }
    void choose(const QString& label) { item(label).action(); }
    void setLists(const QStringList& order, const QStringList& hidden) {
        store.update([&](VellaroSettings& s) {
            s.actionOrder = order;
            s.hiddenActions = hidden;
        });
    }

    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore store;
    FakeAuthorization authorization;
    FakeInputMute input;
    FakeKeepAwake keepAwake;
    QStringList ran;
    std::optional<QString> backend;
    std::function<void()> backendChanged;
    std::function<void()> parked;
    ActionsProvider provider;
    int changes = 0;
};

TEST_F(ActionsProviderTest, OrderAndHiddenListsShapeTheFan) {
    struct Case {
        const char* name;
        QStringList order;
        QStringList hidden;
        QStringList expected;
        QStringList hiddenIds;
    };
    const QStringList allHidden = catalogIds;
    const std::vector<Case> cases{
        {"fresh", {}, {}, catalogLabels, {}},
        {"repeats and unknown ids are skipped",
         {"lock-screen", "lock-screen", "teleport"},
         {},
         {"Lock Screen", "Screenshot Area", "Screenshot Window", "Do Not Disturb", "Dark Mode",
          "Mute Mic", "Keep Awake", "Empty Trash"},
         {}},
        {"everything hidden", {}, allHidden, {}, catalogIds},
        {"hidden list in the user's order, unknown ids left out",
         {"empty-trash", "dark-mode"},
         {"focus", "dark-mode", "nonsense", "empty-trash", "focus"},
         {"Screenshot Area", "Screenshot Window", "Lock Screen", "Mute Mic", "Keep Awake"},
         {"empty-trash", "dark-mode", "focus"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setLists(c.order, c.hidden);
        EXPECT_EQ(labels(), c.expected);
        EXPECT_EQ(provider.removableItemCount(), c.expected.size());
        QStringList hiddenIds;
        for (const auto& [id, label] : provider.hiddenActionList()) {
            hiddenIds << id;
            EXPECT_EQ(label, catalogLabels[catalogIds.indexOf(id)]);
        }
        EXPECT_EQ(hiddenIds, c.hiddenIds);
    }
}

TEST_F(ActionsProviderTest, MovesWriteTheVisibleOrderThenTheHiddenOnes) {
    struct Case {
        const char* name;
        QStringList hidden;
        std::int64_t from, to;
        bool moves;
        QStringList stored;
    };
    const std::vector<Case> cases{
        {"same place", {}, 0, 0, false, {}},
        {"to the end bound", {}, 0, 8, false, {}},
        {"from the end bound", {}, 8, 0, false, {}},
        {"negative", {}, -1, 2, false, {}},
        {"with focus hidden",
         {"focus"},
         0,
         2,
         true,
         {"screenshot-window", "dark-mode", "screenshot-area", "lock-screen", "mic-mute",
          "keep-awake", "empty-trash", "focus"}},
        {"backwards",
         {},
         7,
         0,
         true,
         {"empty-trash", "screenshot-area", "screenshot-window", "focus", "dark-mode",
          "lock-screen", "mic-mute", "keep-awake"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setLists({QStringLiteral("teleport")}, c.hidden);
        const QString before = store.settings().actionOrder.join(',');
        EXPECT_EQ(provider.moveItem(c.from, c.to), c.moves);
        if (c.moves)
            EXPECT_EQ(store.settings().actionOrder, c.stored);
        else
            EXPECT_EQ(store.settings().actionOrder.join(','), before);
    }
}

TEST_F(ActionsProviderTest, RemovalHidesWithUndoAndNamesTheLabelShown) {
    EXPECT_FALSE(provider.removeItem(8));
    EXPECT_FALSE(provider.removeItem(-1));
    EXPECT_TRUE(store.settings().hiddenActions.isEmpty());

    auto removal = provider.removeItem(0);
    ASSERT_TRUE(removal);
    EXPECT_EQ(removal->title, QStringLiteral("Screenshot Area"));
    EXPECT_EQ(store.settings().hiddenActions, QStringList{"screenshot-area"});
    EXPECT_EQ(labels().size(), 7);
    removal->undo();
    EXPECT_TRUE(store.settings().hiddenActions.isEmpty());

    // The title is the label as it stood: a muted microphone reads "Unmute Mic".
    input.state = true;
    provider.refresh();
    auto mic = provider.removeItem(5);
    ASSERT_TRUE(mic);
    EXPECT_EQ(mic->title, QStringLiteral("Unmute Mic"));
    EXPECT_EQ(provider.hiddenActionList().front().second, QStringLiteral("Unmute Mic"));
}

TEST_F(ActionsProviderTest, ItemsRunTheirRunners) {
    backend = QStringLiteral("GNOME");
    for (const QString label : {"Screenshot Area", "Screenshot Window", "Do Not Disturb",
                                "Dark Mode", "Lock Screen", "Empty Trash"})
        choose(label);
    for (const QString label : {"Screenshot Area", "Screenshot Window", "Do Not Disturb"}) {
        const MenuItem entry = item(label);
        ASSERT_EQ(entry.menuActions.size(), 1u);
        entry.menuActions.front().run();
    }
    EXPECT_EQ(ran, (QStringList{"screenshot area file", "screenshot window file", "dnd", "dark",
                                "lock", "trash", "screenshot area clipboard",
                                "screenshot window clipboard", "dnd setup"}));
    EXPECT_EQ(item("Screenshot Area").menuActions.front().title(), "Capture to Clipboard");
    EXPECT_EQ(item("Do Not Disturb").menuActions.front().title(), "Setup Instructions…");
    EXPECT_EQ(item("Do Not Disturb").sublabel, QStringLiteral("Via GNOME"));
    EXPECT_EQ(changes, 0);
    // The server went away: the dial hears of it and names no desktop.
    backend.reset();
    ASSERT_TRUE(backendChanged);
    backendChanged();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(item("Do Not Disturb").sublabel);

    // Every symbol, the muted microphone's too, is one the catalog draws.
    input.state = true;
    provider.refresh();
    const QStringList known = SymbolCatalog::knownSymbols();
    for (const MenuItem& entry : provider.items())
        EXPECT_TRUE(known.contains(entry.icon().symbolName())) << entry.label().toStdString();
}

TEST_F(ActionsProviderTest, MicMuteFollowsTheServersConfirmation) {
    struct Look {
        const char* label;
        const char* symbol;
        bool dot;
    };
    const auto expectLook = [this](const Look& look) {
        const MenuItem mic = item(QLatin1String(look.label));
        EXPECT_EQ(mic.icon().symbolName(), QLatin1String(look.symbol));
        EXPECT_EQ(mic.showsRunningDot, look.dot);
        EXPECT_TRUE(mic.keepsOpen);
    };

    choose("Mute Mic");
    ASSERT_EQ(input.writes, std::vector<bool>{true});
    expectLook({"Mute Mic", "mic", false}); // not until the server confirms
    input.answer(true);
    EXPECT_EQ(changes, 1);
    expectLook({"Unmute Mic", "mic.slash", true});

    test::LogCapture log("vellaro.actions");
    choose("Unmute Mic");
    input.answer(false, -15);
    EXPECT_EQ(log.count("Mic mute failed (status -15)"), 1);
    expectLook({"Unmute Mic", "mic.slash", true});
    EXPECT_EQ(changes, 1);

    // Unmuted elsewhere: an open dial follows without a refresh.
    input.switchElsewhere(false);
    EXPECT_EQ(changes, 2);
    expectLook({"Mute Mic", "mic", false});

    // No usable input (none, or a monitor as default): nothing is written.
    input.switchElsewhere(std::nullopt);
    choose("Mute Mic");
    EXPECT_EQ(input.writes.size(), 2u);
}

TEST_F(ActionsProviderTest, MicMuteWaitsForTheGrant) {
    authorization.current = MicrophoneAuthorization::notDetermined;
    choose("Mute Mic");
    EXPECT_TRUE(input.writes.empty());
    ASSERT_TRUE(parked);
    authorization.current = MicrophoneAuthorization::authorized;
    parked();
    EXPECT_EQ(input.writes, std::vector<bool>{true});
}

TEST_F(ActionsProviderTest, RefreshReadsTheMirrorOnlyWhenAuthorised) {
    struct Case {
        const char* name;
        int status;
        std::optional<bool> device;
        bool muted;
        int changes;
    };
    const std::vector<Case> cases{
        {"muted", MicrophoneAuthorization::authorized, true, true, 1},
        {"again: no change", MicrophoneAuthorization::authorized, true, true, 0},
        {"denied reads not muted", MicrophoneAuthorization::denied, true, false, 1},
        {"denied again", MicrophoneAuthorization::denied, true, false, 0},
        {"muted again", MicrophoneAuthorization::authorized, true, true, 1},
        {"no input counts as not muted", MicrophoneAuthorization::authorized, std::nullopt, false,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        authorization.current = c.status;
        input.state = c.device;
        changes = 0;
        provider.refresh();
        EXPECT_EQ(provider.micMuted(), c.muted);
        EXPECT_EQ(changes, c.changes);
    }
}

TEST_F(ActionsProviderTest, KeepAwakeShowsTheHold) {
    choose("Keep Awake");
    EXPECT_EQ(changes, 1);
    MenuItem awake = item("Keep Awake");
    EXPECT_EQ(awake.sublabel, QStringLiteral("On"));
    EXPECT_TRUE(awake.showsRunningDot);
    EXPECT_TRUE(awake.keepsOpen);

    choose("Keep Awake");
    EXPECT_EQ(keepAwake.releases, 1);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(item("Keep Awake").sublabel);

    // The hold's service went away: the item turns off by itself.
    choose("Keep Awake");
    keepAwake.lose();
    EXPECT_EQ(changes, 4);
    EXPECT_FALSE(item("Keep Awake").showsRunningDot);

    // Nothing can hold: logged, still off, and the dial hears of it anyway.
    keepAwake.canHold = false;
    test::LogCapture log("vellaro.actions");
    choose("Keep Awake");
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(log.count("Keep Awake failed"), 1);
    EXPECT_FALSE(item("Keep Awake").sublabel);
}

} // namespace
} // namespace vellaro
