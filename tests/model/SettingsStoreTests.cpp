#include "LogCapture.h"
#include "model/SettingsStore.h"
#include "platform/session/JsonFile.h"
#include "platform/session/Notifications.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace vellaro;
using K = SectionKind;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QString folder() const { return temp_.filePath(QStringLiteral("Vellaro")); }
    QString settingsPath() const { return folder() + QStringLiteral("/settings.json"); }

    void writeFile(const QByteArray& content) {
        QDir().mkpath(folder());
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray fileContent(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QJsonObject fileObject() const {
        return QJsonDocument::fromJson(fileContent(settingsPath())).object();
    }
    QStringList rejectedFiles() const {
        return QDir(folder()).entryList({QStringLiteral("settings.json.rejected-*")}, QDir::Files);
    }
    std::unique_ptr<SettingsStore> makeStore() {
        return std::make_unique<SettingsStore>(folder(), hub_);
    }
    // The record a store written to this folder would start with.
    VellaroSettings reloaded() { return makeStore()->settings(); }

    QTemporaryDir temp_;
    Notifications hub_;
};

} // namespace

TEST_F(SettingsStoreTest, StartsWithDefaultsAndWritesNothingUntilTheFirstChange) {
    auto store = makeStore();
    EXPECT_EQ(store->settings(), VellaroSettings{});
    EXPECT_TRUE(QDir(folder()).exists()); // the folder is made at start
    EXPECT_FALSE(QFile::exists(settingsPath()));

    store->setTheme(ThemeChoice::pearl); // unchanged value still saves
    const QJsonObject written = fileObject();
    EXPECT_EQ(written.size(), 24);
    // Ctrl+Alt+Space and the Forward button: Alt+Space is the window menu of
    // most desktops and the middle button pastes the primary selection.
    EXPECT_EQ(written.value(QStringLiteral("hotKeyCode")).toInt(), 49);
    EXPECT_EQ(written.value(QStringLiteral("hotKeyModifiers")).toInt(), 6144);
    EXPECT_EQ(written.value(QStringLiteral("hotKeyDisplay")).toString(),
              QStringLiteral(u"\u2303\u2325Space"));
    EXPECT_EQ(written.value(QStringLiteral("mouseTriggerButton")).toInt(), 4);
    EXPECT_EQ(reloaded(), store->settings());
}

TEST_F(SettingsStoreTest, WritesPrettyPrintedSortedJson) {
    auto store = makeStore();
    store->addPreset(QStringLiteral("Mine"), {K::apps, K::files});
    const QByteArray text = fileContent(settingsPath());
    EXPECT_TRUE(text.startsWith("{\n    \"actionOrder\": [\n"));
    EXPECT_LT(text.indexOf("\"id\""), text.indexOf("\"name\""));
    EXPECT_LT(text.indexOf("\"name\""), text.indexOf("\"sections\""));
    EXPECT_EQ(reloaded(), store->settings());
}

TEST_F(SettingsStoreTest, AnOlderFileIsMigratedInMemoryOnly) {
    const QByteArray v1 = R"({"version": 1, "arrangement": "custom", "theme": "eclipse",
        "customSections": ["workspaces", "windows", "apps", "files", "clipboard", "sound"]})";
    writeFile(v1);
    auto store = makeStore();
    EXPECT_EQ(store->settings().version, 2);
    EXPECT_EQ(store->settings().arrangement, DialArrangement::standard);
    EXPECT_EQ(store->settings().theme, ThemeChoice::eclipse);
    EXPECT_EQ(fileContent(settingsPath()), v1);

    store->setScale(MenuScale::large);
    EXPECT_EQ(fileObject().value(QStringLiteral("version")).toInt(), 2);
    EXPECT_TRUE(rejectedFiles().isEmpty());
}

TEST_F(SettingsStoreTest, AnUnusableFileIsMovedAsideBeforeTheFirstWrite) {
    const QByteArray cases[] = {
        R"({"theme": "neon", "userPresets": [{"id": "6B4A6E1A-0001-4000-8000-00000000000A",
            "name": "Mine", "sections": ["apps", "files"]}]})",
        "{\"theme\": \"eclipse\",", // cut short
        "[1, 2, 3]",
    };
    for (const QByteArray& broken : cases) {
        SCOPED_TRACE(broken.toStdString());
        QDir(folder()).removeRecursively();
        writeFile(broken);
        test::LogCapture log("vellaro.persistence");
        auto store = makeStore();
        EXPECT_EQ(store->settings(), VellaroSettings{});
        EXPECT_EQ(log.count(QStringLiteral("settings.json cannot be used")), 1);
        EXPECT_EQ(fileContent(settingsPath()), broken); // untouched at start-up

        store->setTheme(ThemeChoice::charcoal);
        const QStringList aside = rejectedFiles();
        ASSERT_EQ(aside.size(), 1);
        EXPECT_EQ(fileContent(QDir(folder()).filePath(aside[0])), broken);
        EXPECT_EQ(log.count(QStringLiteral("Moved the earlier settings.json aside")), 1);
        EXPECT_EQ(reloaded().theme, ThemeChoice::charcoal);

        store->setTheme(ThemeChoice::eclipse); // once is enough
        EXPECT_EQ(rejectedFiles().size(), 1);
    }
}

TEST_F(SettingsStoreTest, UnknownTopLevelKeysAreKept) {
    writeFile(R"({"version": 2, "laterFeature": {"on": true}, "theme": "eclipse"})");
    auto store = makeStore();
    store->setScale(MenuScale::small);
    const QJsonObject written = fileObject();
    EXPECT_EQ(written.value(QStringLiteral("laterFeature")).toObject().value(QStringLiteral("on")),
              QJsonValue(true));
    EXPECT_EQ(written.value(QStringLiteral("scale")).toString(), QStringLiteral("small"));
    EXPECT_TRUE(rejectedFiles().isEmpty());
}

TEST_F(SettingsStoreTest, ANewerFileKeepsItsVersionAndKeysAndIsKeptAsideOnlyWhenItWouldLose) {
    const struct {
        const char* name;
        QByteArray file;
        bool keptAside;
    } cases[] = {
        {"only lacks keys", R"({"version": 3, "laterFeature": [1, 2], "theme": "eclipse"})", false},
        {"a key inside a preset would be dropped",
         R"({"version": 3, "laterFeature": [1, 2], "theme": "eclipse",
             "userPresets": [{"id": "6B4A6E1A-0001-4000-8000-00000000000A", "name": "Mine",
                              "sections": ["apps", "files"], "tint": "red"}]})",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder()).removeRecursively();
        writeFile(c.file);
        {
            auto store = makeStore();
            EXPECT_EQ(store->settings().version, 3);
            EXPECT_EQ(store->settings().theme, ThemeChoice::eclipse);
            store->setScale(MenuScale::large);
            const QJsonObject written = fileObject();
            EXPECT_EQ(written.value(QStringLiteral("version")).toInt(), 3);
            EXPECT_EQ(written.value(QStringLiteral("laterFeature")), QJsonArray({1, 2}));
            const QStringList aside = rejectedFiles();
            ASSERT_EQ(aside.size(), c.keptAside ? 1 : 0);
            if (c.keptAside) {
                EXPECT_EQ(fileContent(QDir(folder()).filePath(aside[0])), c.file);
            }
        }
        // What this version wrote back loses nothing when written again.
        auto store = makeStore();
        store->setScale(MenuScale::small);
        EXPECT_EQ(rejectedFiles().size(), c.keptAside ? 1 : 0);
        EXPECT_EQ(fileObject().value(QStringLiteral("laterFeature")), QJsonArray({1, 2}));
    }
}

TEST_F(SettingsStoreTest, TheLargestIntegersItStoresLoadAgain) {
    auto store = makeStore();
    store->setClipboardRetention(QStringLiteral("9223372036854775807"));
    store->setMouseTriggerButton(std::numeric_limits<std::int64_t>::max() - 100);
    store->setTheme(ThemeChoice::eclipse);
    const VellaroSettings saved = store->settings();
    EXPECT_EQ(saved.clipboardRetention, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(reloaded(), saved);
    EXPECT_TRUE(rejectedFiles().isEmpty());
}

TEST_F(SettingsStoreTest, TemporariesOfAnInterruptedSaveAreRemovedAtStart) {
    writeFile(R"({"theme": "eclipse"})");
    const QStringList stale = {QStringLiteral("settings.json.a1B2c3"),
                               QStringLiteral("settings.json.ZZZZZZ")};
    const QStringList kept = {QStringLiteral("settings.json.rejected-20260101T000000Z"),
                              QStringLiteral("settings.json.toolong7"),
                              QStringLiteral("other.json.a1B2c3")};
    for (const QString& name : stale + kept) {
        QFile file(QDir(folder()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\"ver");
    }
    auto store = makeStore();
    EXPECT_EQ(store->settings().theme, ThemeChoice::eclipse);
    QStringList expected = kept + QStringList{QStringLiteral("settings.json")};
    expected.sort();
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files, QDir::Name), expected);
}

TEST_F(SettingsStoreTest, AFailedSaveKeepsTheChangeAndStillNotifies) {
    // A file where the folder should be: neither the folder nor the file can be made.
    QFile blocker(folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto store = makeStore();
    int observed = 0;
    int posted = 0;
    store->addObserver([&] { ++observed; });
    hub_.observe(QString::fromLatin1(settingsDidChangeNotification), [&](QObject*) { ++posted; });
    test::LogCapture log("vellaro.persistence");

    store->setTheme(ThemeChoice::eclipse);
    EXPECT_EQ(store->settings().theme, ThemeChoice::eclipse);
    EXPECT_EQ(log.count(QStringLiteral("Failed to save settings.json:")), 1);
    EXPECT_EQ(observed, 1);
    EXPECT_EQ(posted, 1);

    store->update([](VellaroSettings& s) { s.hoverDelayMS = std::nan(""); });
    EXPECT_EQ(log.count(QStringLiteral("Failed to save settings.json:")), 2);
    EXPECT_TRUE(std::isnan(store->settings().hoverDelayMS));
    EXPECT_EQ(observed, 2);
}

TEST_F(SettingsStoreTest, WithoutADataFolderNothingIsSaved) {
    test::LogCapture log("vellaro.persistence");
    SettingsStore store(QString(), hub_);
    EXPECT_TRUE(store.filePath().isEmpty());
    store.setTheme(ThemeChoice::charcoal);
    EXPECT_EQ(store.settings().theme, ThemeChoice::charcoal);
    EXPECT_EQ(log.count(QStringLiteral("Failed to save settings.json:")), 1);
    EXPECT_TRUE(QDir().entryList({QStringLiteral("settings.json*")}).isEmpty());
}

TEST_F(SettingsStoreTest, EveryMutatorEditsSavesAndNotifies) {
    using Store = SettingsStore;
    const auto custom = [](std::vector<K> sections) {
        return [sections](VellaroSettings& s) {
            s.arrangement = DialArrangement::custom;
            s.customSections = sections;
        };
    };
    const QStringList twoHidden{QStringLiteral("focus"), QStringLiteral("focus")};
    struct Case {
        const char* name;
        std::function<void(VellaroSettings&)> before; // state the mutator starts from
        std::function<void(Store&)> mutate;
        std::function<void(VellaroSettings&)> after; // applied to `before`'s record
    };
    const Case cases[] = {
        {"hot key", nullptr,
         [](Store& st) {
             st.setHotKey({40, carbonShiftKey | carbonCommandKey, "k"});
         },
         [](VellaroSettings& s) {
             s.hotKeyCode = 40;
             s.hotKeyModifiers = 768;
             s.hotKeyDisplay = QStringLiteral(u"\u21E7\u2318K");
         }},
        {"mouse button without a range test", nullptr,
         [](Store& st) { st.setMouseTriggerButton(99); },
         [](VellaroSettings& s) { s.mouseTriggerButton = 99; }},
        {"remove mouse trigger", nullptr, [](Store& st) { st.removeMouseTrigger(); },
         [](VellaroSettings& s) { s.mouseTriggerButton = -1; }},
        {"material", nullptr, [](Store& st) { st.setMaterial(MaterialChoice::matte); },
         [](VellaroSettings& s) { s.material = MaterialChoice::matte; }},
        {"scale", nullptr, [](Store& st) { st.setScale(MenuScale::small); },
         [](VellaroSettings& s) { s.scale = MenuScale::small; }},
        {"custom accent", nullptr,
         [](Store& st) { st.setCustomColor(QColor(255, 0, 0), &VellaroSettings::customAccent); },
         [](VellaroSettings& s) {
             s.customAccent = {1, 0, 0, 1};
         }},
        {"custom base from an invalid colour", nullptr,
         [](Store& st) { st.setCustomColor(QColor(), &VellaroSettings::customBase); },
         [](VellaroSettings& s) {
             s.customBase = {0.557, 0.557, 0.576, 1};
         }},
        {"\"Hover\"", [](VellaroSettings& s) { s.submenuOpen = SubmenuOpenMode::click; },
         [](Store& st) { st.setSubmenuOpen(QStringLiteral("Hover")); },
         [](VellaroSettings& s) { s.submenuOpen = SubmenuOpenMode::hover; }},
        {"\"hover\" is click", nullptr,
         [](Store& st) { st.setSubmenuOpen(QStringLiteral("hover")); },
         [](VellaroSettings& s) { s.submenuOpen = SubmenuOpenMode::click; }},
        {"retention 50", nullptr, [](Store& st) { st.setClipboardRetention(QStringLiteral("50")); },
         [](VellaroSettings& s) { s.clipboardRetention = 50; }},
        {"retention -3", nullptr, [](Store& st) { st.setClipboardRetention(QStringLiteral("-3")); },
         [](VellaroSettings& s) { s.clipboardRetention = -3; }},
        {"retention +7", nullptr, [](Store& st) { st.setClipboardRetention(QStringLiteral("+7")); },
         [](VellaroSettings& s) { s.clipboardRetention = 7; }},
        {"retention not a number", [](VellaroSettings& s) { s.clipboardRetention = 100; },
         [](Store& st) { st.setClipboardRetention(QStringLiteral("Forever")); },
         [](VellaroSettings& s) { s.clipboardRetention = 25; }},
        {"retention empty", [](VellaroSettings& s) { s.clipboardRetention = 100; },
         [](Store& st) { st.setClipboardRetention(QString()); },
         [](VellaroSettings& s) { s.clipboardRetention = 25; }},
        {"retention with a blank", [](VellaroSettings& s) { s.clipboardRetention = 100; },
         [](Store& st) { st.setClipboardRetention(QStringLiteral(" 50")); },
         [](VellaroSettings& s) { s.clipboardRetention = 25; }},
        {"retention with a line break", [](VellaroSettings& s) { s.clipboardRetention = 100; },
         [](Store& st) { st.setClipboardRetention(QStringLiteral("50\n")); },
         [](VellaroSettings& s) { s.clipboardRetention = 25; }},
        {"retention too large", [](VellaroSettings& s) { s.clipboardRetention = 100; },
         [](Store& st) { st.setClipboardRetention(QStringLiteral("9223372036854775808")); },
         [](VellaroSettings& s) { s.clipboardRetention = 25; }},
        {"custom sections as given", nullptr, [](Store& st) { st.setCustomSections({K::sound}); },
         custom({K::sound})},
        {"add section, no duplicate check", nullptr,
         [](Store& st) {
             st.addSection(K::apps, {K::apps, K::files});
         },
         custom({K::apps, K::files, K::apps})},
        {"move first back wraps to last", custom({K::apps, K::files, K::sound}),
         [](Store& st) { st.moveSection(K::apps, -1); }, custom({K::sound, K::files, K::apps})},
        {"move last on wraps to first", custom({K::apps, K::files, K::sound}),
         [](Store& st) { st.moveSection(K::sound, +1); }, custom({K::sound, K::files, K::apps})},
        {"move in the standard arrangement seeds it first", nullptr,
         [](Store& st) { st.moveSection(K::windows, +1); },
         custom({K::workspaces, K::apps, K::windows, K::actions, K::clipboard, K::files})},
        {"move a missing section only seeds",
         [](VellaroSettings& s) { s.customSections = {K::sound}; },
         [](Store& st) { st.moveSection(K::sound, +1); }, custom(standardSections())},
        {"remove from the standard arrangement", nullptr,
         [](Store& st) { st.removeSection(K::actions); },
         custom({K::workspaces, K::windows, K::apps, K::clipboard, K::files})},
        {"remove every occurrence", custom({K::apps, K::files, K::apps}),
         [](Store& st) { st.removeSection(K::apps); }, custom({K::files})},
        {"move in a list of eight keeps to the seven shown",
         custom({K::workspaces, K::windows, K::apps, K::files, K::clipboard, K::sound, K::actions,
                 K::apps}),
         [](Store& st) { st.moveSection(K::actions, +1); },
         custom(
             {K::actions, K::windows, K::apps, K::files, K::clipboard, K::sound, K::workspaces})},
        {"remove from a custom list too short to show seeds the standard six", custom({K::sound}),
         [](Store& st) { st.removeSection(K::apps); },
         custom({K::workspaces, K::windows, K::actions, K::clipboard, K::files})},
        {"action order", nullptr,
         [](Store& st) {
             st.setActionOrder({"focus", "dark-mode"}, {"mic-mute"});
         },
         [](VellaroSettings& s) {
             s.actionOrder = {"focus", "dark-mode", "mic-mute"};
         }},
        {"hide twice stores twice", [](VellaroSettings& s) { s.hiddenActions = {"focus"}; },
         [](Store& st) { st.hideAction(QStringLiteral("focus")); },
         [=](VellaroSettings& s) { s.hiddenActions = twoHidden; }},
        {"unhide removes every copy",
         [=](VellaroSettings& s) { s.hiddenActions = twoHidden + QStringList{"mic-mute"}; },
         [](Store& st) { st.unhideAction(QStringLiteral("focus")); },
         [](VellaroSettings& s) { s.hiddenActions = {"mic-mute"}; }},
        {"restore is unhide", [=](VellaroSettings& s) { s.hiddenActions = twoHidden; },
         [](Store& st) { st.restoreAction(QStringLiteral("focus")); },
         [](VellaroSettings& s) { s.hiddenActions.clear(); }},
        {"exclusions added once",
         [](VellaroSettings& s) { s.clipboardExcluded = {"org.gnome.Nautilus"}; },
         [](Store& st) {
             st.addClipboardExclusions(
                 {"org.keepassxc.KeePassXC", "org.gnome.Nautilus", "org.keepassxc.KeePassXC"});
         },
         [](VellaroSettings& s) {
             s.clipboardExcluded = {"org.gnome.Nautilus", "org.keepassxc.KeePassXC"};
         }},
        {"exclusions: a duplicate pair already excluded adds nothing",
         [](VellaroSettings& s) { s.clipboardExcluded = {"a"}; },
         [](Store& st) {
             st.addClipboardExclusions({"a", "a"});
         },
         nullptr},
        {"remove exclusion",
         [](VellaroSettings& s) {
             s.clipboardExcluded = {"a", "b", "a"};
         },
         [](Store& st) { st.removeClipboardExclusion(QStringLiteral("a")); },
         [](VellaroSettings& s) { s.clipboardExcluded = {"b"}; }},
        {"apply a preset", nullptr,
         [](Store& st) {
             st.update([](VellaroSettings& s) {
                 s.arrangement = DialArrangement::custom;
                 s.customSections = DialPreset::builtIns()[1].sections;
             });
         },
         custom({K::workspaces, K::actions, K::clipboard, K::files})},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(settingsPath());
        auto store = makeStore();
        if (c.before)
            store->update(c.before);
        VellaroSettings expected = store->settings();
        if (c.after)
            c.after(expected);
        int observed = 0;
        int posted = 0;
        store->addObserver([&] { ++observed; });
        auto token =
            hub_.observe(QString::fromLatin1(settingsDidChangeNotification), [&](QObject* object) {
                EXPECT_EQ(object, store.get());
                ++posted;
            });
        c.mutate(*store);
        Notifications::removeObserver(token);
        EXPECT_EQ(store->settings(), expected);
        EXPECT_EQ(reloaded(), expected);
        EXPECT_EQ(observed, 1);
        EXPECT_EQ(posted, 1);
    }
}

TEST_F(SettingsStoreTest, PresetsAreAddedWithFreshIdsAndUpdatedByFirstName) {
    auto store = makeStore();
    store->addPreset(QStringLiteral("Twin"), {K::apps, K::files});
    store->addPreset(QStringLiteral("Twin"), {K::sound, K::files});
    store->addPreset(QStringLiteral("Empty"), {});
    const auto& presets = store->settings().userPresets;
    ASSERT_EQ(presets.size(), 3u);
    EXPECT_NE(presets[0].id, presets[1].id);

    store->updatePreset(QStringLiteral("Twin"), {K::windows, K::windows});
    EXPECT_EQ(store->settings().userPresets[0].sections, (std::vector<K>{K::windows, K::windows}));
    EXPECT_EQ(store->settings().userPresets[1].sections, (std::vector<K>{K::sound, K::files}));

    int observed = 0;
    store->addObserver([&] { ++observed; });
    const VellaroSettings before = store->settings();
    store->updatePreset(QStringLiteral("Nobody"), {K::apps});
    EXPECT_EQ(store->settings(), before);
    EXPECT_EQ(observed, 1);
    EXPECT_EQ(reloaded(), before); // the empty preset is read back as it was
}

TEST_F(SettingsStoreTest, ObserversRunInOrderThenTheNotification) {
    auto store = makeStore();
    QStringList calls;
    store->addObserver([&] { calls << "first"; });
    store->addObserver([&] {
        calls << "second";
        // The file is replaced before the observers run.
        EXPECT_EQ(fileObject().value(QStringLiteral("theme")).toString(),
                  rawValue(store->settings().theme));
    });
    hub_.observe(QString::fromLatin1(settingsDidChangeNotification),
                 [&](QObject*) { calls << "posted"; });
    store->setTheme(ThemeChoice::eclipse);
    EXPECT_EQ(calls, (QStringList{"first", "second", "posted"}));
}

TEST_F(SettingsStoreTest, ObserversAddedOrRemovedDuringANotification) {
    auto store = makeStore();
    QStringList calls;
    SettingsStore::ObserverToken self = 0;
    SettingsStore::ObserverToken later = 0;
    self = store->addObserver([&] {
        calls << "self";
        store->removeObserver(self);
    });
    store->addObserver([&] {
        calls << "remover";
        store->removeObserver(later);
        store->addObserver([&] { calls << "added"; });
    });
    later = store->addObserver([&] { calls << "removed"; });

    store->setTheme(ThemeChoice::eclipse);
    EXPECT_EQ(calls, (QStringList{"self", "remover"}));
    calls.clear();
    store->setTheme(ThemeChoice::pearl);
    EXPECT_EQ(calls, (QStringList{"remover", "added"}));
}

TEST_F(SettingsStoreTest, AChangeMadeByAnObserverIsNotifiedAfterTheRound) {
    auto store = makeStore();
    QStringList calls;
    store->addObserver([&] {
        calls << "changer:" + rawValue(store->settings().theme);
        if (store->settings().theme == ThemeChoice::eclipse)
            store->setTheme(ThemeChoice::charcoal);
        EXPECT_EQ(fileObject().value(QStringLiteral("theme")).toString(),
                  rawValue(store->settings().theme)); // saved at once
    });
    store->addObserver([&] { calls << "reader:" + rawValue(store->settings().theme); });
    hub_.observe(QString::fromLatin1(settingsDidChangeNotification),
                 [&](QObject*) { calls << "posted"; });

    store->setTheme(ThemeChoice::eclipse);
    EXPECT_EQ(calls, (QStringList{"changer:eclipse", "reader:charcoal", "posted",
                                  "changer:charcoal", "reader:charcoal", "posted"}));
}

TEST_F(SettingsStoreTest, AnObserverThatAlwaysChangesTheSettingsIsBounded) {
    auto store = makeStore();
    int calls = 0;
    store->addObserver([&] {
        ++calls;
        store->setMouseTriggerButton(store->settings().mouseTriggerButton + 1);
    });
    // A notification observer that changes the settings is held the same way.
    hub_.observe(QString::fromLatin1(settingsDidChangeNotification),
                 [&](QObject*) { store->setScale(MenuScale::large); });
    test::LogCapture log("vellaro.persistence");

    store->setMouseTriggerButton(0);
    EXPECT_GT(calls, 1);
    EXPECT_LE(calls, 16);
    EXPECT_EQ(store->settings().mouseTriggerButton, calls);
    EXPECT_EQ(reloaded().mouseTriggerButton, calls); // every nested change was saved
    EXPECT_EQ(log.count(QStringLiteral("kept changing the settings")), 1);

    // The store is usable again afterwards.
    store->setMouseTriggerButton(0);
    EXPECT_EQ(log.count(QStringLiteral("kept changing the settings")), 2);
}

TEST_F(SettingsStoreTest, AnEditThatChangesTheStoreNotifiesOnce) {
    auto store = makeStore();
    int observed = 0;
    store->addObserver([&] { ++observed; });
    test::LogCapture log("vellaro.persistence");
    store->update([&](VellaroSettings& s) {
        s.theme = ThemeChoice::eclipse;
        store->setScale(MenuScale::large);
    });
    EXPECT_EQ(observed, 1);
    EXPECT_EQ(reloaded().theme, ThemeChoice::eclipse);
    EXPECT_EQ(reloaded().scale, MenuScale::large);
    EXPECT_EQ(log.count(QStringLiteral("changed the settings store itself")), 1);
}
