#include "model/EffectiveSections.h"
#include "model/VellaroSettings.h"

#include <QFile>
#include <QJsonDocument>
#include <QUuid>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

using namespace vellaro;
using K = SectionKind;

namespace {

QJsonObject parse(const char* text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    return document.object();
}

struct DecodeCase {
    const char* name;
    const char* json;
    // Absent: the whole object must be rejected. Otherwise: the edit that
    // turns the defaults into the expected record.
    std::function<void(VellaroSettings&)> expected;
};

const DecodeCase decodeCases[] = {
    {"empty object gives every default", "{}", [](VellaroSettings&) {}},
    {"one key", R"({"theme": "eclipse"})",
     [](VellaroSettings& s) { s.theme = ThemeChoice::eclipse; }},
    {"null takes the default", R"({"showLabels": null, "theme": null})", [](VellaroSettings&) {}},
    {"unknown keys are ignored", R"({"laterFeature": {"x": 1}, "scale": "large"})",
     [](VellaroSettings& s) { s.scale = MenuScale::large; }},
    {"no mouse trigger", R"({"mouseTriggerButton": -1})",
     [](VellaroSettings& s) { s.mouseTriggerButton = -1; }},
    {"whole number for a double", R"({"hoverDelayMS": 150})",
     [](VellaroSettings& s) { s.hoverDelayMS = 150; }},
    {"largest key code", R"({"hotKeyCode": 4294967295})",
     [](VellaroSettings& s) { s.hotKeyCode = 4294967295u; }},
    {"large retention kept exactly", R"({"clipboardRetention": 9007199254740992})",
     [](VellaroSettings& s) { s.clipboardRetention = std::int64_t(1) << 53; }},
    {"integer written with an exponent", R"({"clipboardRetention": 5e1})",
     [](VellaroSettings& s) { s.clipboardRetention = 50; }},
    {"colours, lists and flags",
     R"({"customAccent": {"r": 1, "g": 0.5, "b": 0, "a": 0.25},
         "customSections": ["sound", "apps", "sound"], "arrangement": "custom",
         "hiddenActions": ["focus"], "forceOpaque": true, "submenuOpen": "click"})",
     [](VellaroSettings& s) {
         s.customAccent = {1, 0.5, 0, 0.25};
         s.customSections = {K::sound, K::apps, K::sound};
         s.arrangement = DialArrangement::custom;
         s.hiddenActions = QStringList{QStringLiteral("focus")};
         s.forceOpaque = true;
         s.submenuOpen = SubmenuOpenMode::click;
     }},
    {"preset with an extra key and lower-case id",
     R"({"userPresets": [{"id": "6b4a6e1a-0001-4000-8000-00000000000a", "name": "Mine",
                          "sections": [], "colour": "red"}]})",
     [](VellaroSettings& s) {
         s.userPresets = {
             {QUuid::fromString(QStringLiteral("6B4A6E1A-0001-4000-8000-00000000000A")),
              QStringLiteral("Mine"),
              {}}};
     }},
    {"version absent is version 2", R"({"arrangement": "custom",
         "customSections": ["workspaces", "windows", "apps", "files", "clipboard", "sound"]})",
     [](VellaroSettings& s) {
         s.arrangement = DialArrangement::custom;
         s.customSections = {K::workspaces, K::windows, K::apps, K::files, K::clipboard, K::sound};
     }},
    {"the largest and smallest 64-bit integers",
     R"({"clipboardRetention": 9223372036854775807, "mouseTriggerButton": -9223372036854775808})",
     [](VellaroSettings& s) {
         s.clipboardRetention = std::numeric_limits<std::int64_t>::max();
         s.mouseTriggerButton = std::numeric_limits<std::int64_t>::min();
     }},
    {"an integer just below 2^63", R"({"clipboardRetention": 9223372036854775296})",
     [](VellaroSettings& s) { s.clipboardRetention = 9223372036854775296; }},

    {"unknown theme", R"({"theme": "neon", "scale": "large"})", nullptr},
    {"theme in the wrong case", R"({"theme": "Eclipse"})", nullptr},
    {"unknown section", R"({"customSections": ["apps", "Sound"]})", nullptr},
    {"empty section name", R"({"customSections": [""]})", nullptr},
    {"sections not a list", R"({"customSections": "apps"})", nullptr},
    {"negative key code", R"({"hotKeyCode": -1})", nullptr},
    {"key code too large", R"({"hotKeyCode": 4294967296})", nullptr},
    {"modifiers with a fraction", R"({"hotKeyModifiers": 2048.5})", nullptr},
    {"retention with a fraction", R"({"clipboardRetention": 25.5})", nullptr},
    {"retention beyond 64 bits", R"({"clipboardRetention": 1e19})", nullptr},
    {"retention one past the largest", R"({"clipboardRetention": 9223372036854775808})", nullptr},
    {"number as a string", R"({"hoverDelayMS": "120"})", nullptr},
    {"flag as a number", R"({"showLabels": 1})", nullptr},
    {"text as a number", R"({"hotKeyDisplay": 5})", nullptr},
    {"string list with a number", R"({"actionOrder": ["focus", 1]})", nullptr},
    {"colour without alpha", R"({"customBase": {"r": 0, "g": 0, "b": 0}})", nullptr},
    {"colour as a list", R"({"customBase": [0, 0, 0, 1]})", nullptr},
    {"preset without id", R"({"userPresets": [{"name": "A", "sections": []}]})", nullptr},
    {"preset without name",
     R"({"userPresets": [{"id": "6B4A6E1A-0001-4000-8000-000000000001", "sections": []}]})",
     nullptr},
    {"preset without sections",
     R"({"userPresets": [{"id": "6B4A6E1A-0001-4000-8000-000000000001", "name": "A"}]})", nullptr},
    {"preset id not a UUID", R"({"userPresets": [{"id": "first", "name": "A", "sections": []}]})",
     nullptr},
    {"preset id in braces",
     R"({"userPresets": [{"id": "{6B4A6E1A-0001-4000-8000-000000000001}", "name": "A",
                          "sections": []}]})",
     nullptr},
    {"preset id with a trailing line break",
     R"({"userPresets": [{"id": "6B4A6E1A-0001-4000-8000-000000000001\n", "name": "A",
                          "sections": []}]})",
     nullptr},
    {"preset with an unknown section",
     R"({"userPresets": [{"id": "6B4A6E1A-0001-4000-8000-000000000001", "name": "A",
                          "sections": ["apps", "dock"]}]})",
     nullptr},
    {"version with a fraction", R"({"version": 2.5})", nullptr},
};

} // namespace

TEST(SettingsDecoding, EachCaseDecodesKeyByKeyOrRejectsTheWholeObject) {
    for (const DecodeCase& c : decodeCases) {
        SCOPED_TRACE(c.name);
        QString error;
        const auto decoded = VellaroSettings::fromJson(parse(c.json), &error);
        if (!c.expected) {
            EXPECT_FALSE(decoded.has_value());
            EXPECT_FALSE(error.isEmpty());
            continue;
        }
        ASSERT_TRUE(decoded.has_value()) << error.toStdString();
        VellaroSettings expected;
        c.expected(expected);
        EXPECT_EQ(*decoded, expected);
    }
}

TEST(SettingsDecoding, TheErrorNamesTheBadKey) {
    QString error;
    ASSERT_FALSE(VellaroSettings::fromJson(parse(R"({"theme": "neon"})"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("\"theme\""))) << error.toStdString();
}

TEST(SettingsEncoding, DefaultsMatchTheGoldenFile) {
    const auto encoded = VellaroSettings{}.toJson();
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(encoded->keys(), [] {
        QStringList sorted = VellaroSettings::keys();
        sorted.sort();
        return sorted;
    }());

    QFile golden(qEnvironmentVariable("VELLARO_SOURCE_DIR") +
                 QStringLiteral("/tests/model/golden/settings-defaults.json"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(QJsonDocument(*encoded).toJson(QJsonDocument::Indented).toStdString(),
              golden.readAll().toStdString());
}

TEST(SettingsEncoding, EveryFieldSurvivesARoundTrip) {
    VellaroSettings s;
    s.version = 3;
    s.hotKeyCode = 40;
    s.hotKeyModifiers = 256 | 512;
    s.hotKeyDisplay = QStringLiteral(u"\u21E7\u2318K");
    s.mouseTriggerButton = 4;
    s.theme = ThemeChoice::custom;
    s.material = MaterialChoice::clear;
    s.customBase = {0.1, 0.2, 0.3, 0.4};
    s.customAccent = {1.5, -0.25, 0, 1}; // no range is enforced
    s.scale = MenuScale::small;
    s.dialBrightness = 42.5;
    s.arrangement = DialArrangement::custom;
    s.customSections = {K::sound, K::sound, K::actions};
    s.userPresets = {DialPreset::make(QStringLiteral("Mine"), {K::files, K::apps}),
                     DialPreset::make(QStringLiteral("Empty"), {})};
    s.actionOrder = QStringList{QStringLiteral("lock-screen"), QStringLiteral("focus")};
    s.hiddenActions = QStringList{QStringLiteral("focus"), QStringLiteral("focus")};
    s.hoverDelayMS = 80.25;
    s.gestureHoldMS = 0;
    s.submenuOpen = SubmenuOpenMode::click;
    s.clipboardRetention = -3;
    s.clipboardExcluded = QStringList{QStringLiteral("org.keepassxc.KeePassXC")};
    s.showLabels = false;
    s.hapticsEnabled = false;
    s.forceOpaque = true;

    const auto encoded = s.toJson();
    ASSERT_TRUE(encoded.has_value());
    const QByteArray text = QJsonDocument(*encoded).toJson();
    const auto decoded = VellaroSettings::fromJson(QJsonDocument::fromJson(text).object());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, s);
}

TEST(SettingsEncoding, ANumberJsonCannotHoldFailsTheEncoding) {
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        VellaroSettings s;
        s.customBase.g = bad;
        QString error;
        EXPECT_FALSE(s.toJson(&error).has_value());
        EXPECT_TRUE(error.contains(QStringLiteral("customBase")));
    }
}

TEST(SettingsMigration, VersionOneDefaultDialBecomesTheStandardArrangement) {
    const std::vector<K> oldDefault{K::workspaces, K::windows,   K::apps,
                                    K::files,      K::clipboard, K::sound};
    const std::vector<K> reordered{K::windows, K::workspaces, K::apps,
                                   K::files,   K::clipboard,  K::sound};
    const std::vector<K> five{K::workspaces, K::windows, K::apps, K::files, K::clipboard};
    struct Case {
        const char* name;
        std::int64_t version;
        DialArrangement arrangement;
        std::vector<K> sections;
        DialArrangement expectedArrangement;
        std::vector<K> expectedSections;
        std::int64_t expectedVersion;
    };
    const Case cases[] = {
        {"old default", 1, DialArrangement::custom, oldDefault, DialArrangement::standard,
         standardSections(), 2},
        {"old default, version 0", 0, DialArrangement::custom, oldDefault,
         DialArrangement::standard, standardSections(), 2},
        {"other order", 1, DialArrangement::custom, reordered, DialArrangement::custom, reordered,
         2},
        {"five of them", 1, DialArrangement::custom, five, DialArrangement::custom, five, 2},
        {"standard arrangement", 1, DialArrangement::standard, oldDefault,
         DialArrangement::standard, oldDefault, 2},
        {"version 2 untouched", 2, DialArrangement::custom, oldDefault, DialArrangement::custom,
         oldDefault, 2},
        {"version 3 untouched", 3, DialArrangement::custom, oldDefault, DialArrangement::custom,
         oldDefault, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VellaroSettings s;
        s.version = c.version;
        s.arrangement = c.arrangement;
        s.customSections = c.sections;
        s.theme = ThemeChoice::charcoal;
        const VellaroSettings migrated = s.migrated();
        EXPECT_EQ(migrated.version, c.expectedVersion);
        EXPECT_EQ(migrated.arrangement, c.expectedArrangement);
        EXPECT_EQ(migrated.customSections, c.expectedSections);
        EXPECT_EQ(migrated.theme, ThemeChoice::charcoal);
    }
}

TEST(SettingsNumbers, ReadAtUseWithinTheirRanges) {
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double stored;
        double hover;
        double hold;
        double brightness;
    };
    const Case cases[] = {
        {50, 50, 50, 50},   {-5, 0, 0, 0},      {20000, 10000, 10000, 100},
        {nan, 120, 300, 0}, {inf, 120, 300, 0}, {100.5, 100.5, 100.5, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        VellaroSettings s;
        s.hoverDelayMS = s.gestureHoldMS = s.dialBrightness = c.stored;
        EXPECT_EQ(s.clampedHoverDelayMS(), c.hover);
        EXPECT_EQ(s.clampedGestureHoldMS(), c.hold);
        EXPECT_EQ(s.clampedDialBrightness(), c.brightness);
    }
    const std::pair<std::int64_t, int> buttons[] = {
        {-1, -1}, {2, 2}, {31, 31}, {32, -1}, {-2, -1}, {std::int64_t(1) << 40, -1}};
    for (const auto& [stored, used] : buttons) {
        VellaroSettings s;
        s.mouseTriggerButton = stored;
        EXPECT_EQ(s.clampedMouseTriggerButton(), used) << stored;
    }
}

TEST(EffectiveSections, CustomListOnlyWhenChosenAndLongEnough) {
    const std::vector<K> nine{K::apps, K::apps,  K::files, K::sound,  K::windows,
                              K::apps, K::files, K::sound, K::actions};
    struct Case {
        const char* name;
        DialArrangement arrangement;
        std::vector<K> custom;
        std::vector<K> shown;
    };
    const Case cases[] = {
        {"standard ignores the list",
         DialArrangement::standard,
         {K::sound, K::apps},
         standardSections()},
        {"custom with none", DialArrangement::custom, {}, standardSections()},
        {"custom with one", DialArrangement::custom, {K::sound}, standardSections()},
        {"custom with two", DialArrangement::custom, {K::sound, K::apps}, {K::sound, K::apps}},
        {"duplicates kept",
         DialArrangement::custom,
         {K::apps, K::apps, K::apps},
         {K::apps, K::apps, K::apps}},
        {"never more than seven", DialArrangement::custom, nine, {nine.begin(), nine.begin() + 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VellaroSettings s;
        s.arrangement = c.arrangement;
        s.customSections = c.custom;
        EXPECT_EQ(effectiveSections(s), c.shown);
    }
}

TEST(SettingsEnumerations, RawValuesAreTheCaseNamesInDeclarationOrder) {
    QStringList themes;
    for (ThemeChoice theme : allCases<ThemeChoice>())
        themes.append(rawValue(theme));
    EXPECT_EQ(themes.join(','), QStringLiteral("system,pearl,eclipse,charcoal,custom"));
    EXPECT_EQ(fromRawValue<MaterialChoice>(QStringLiteral("clear")), MaterialChoice::clear);
    EXPECT_EQ(fromRawValue<MenuScale>(QStringLiteral("Large")), std::nullopt);
    EXPECT_EQ(fromRawValue<SubmenuOpenMode>(QString()), std::nullopt);
    EXPECT_EQ(scaleFactor(MenuScale::small), 0.85);
    EXPECT_EQ(scaleFactor(MenuScale::large), 1.18);
}

TEST(RGBAColorConversion, TakesSRGBComponentsWithAGreyFallback) {
    EXPECT_EQ(RGBAColor::fromColor(QColor::fromRgbF(0.5f, 0.25f, 1.0f, 0.75f)),
              (RGBAColor{0.5, 0.25, 1.0, 0.75}));
    EXPECT_EQ(RGBAColor::fromColor(QColor::fromHsvF(0, 1, 1)), (RGBAColor{1, 0, 0, 1}));
    EXPECT_EQ(RGBAColor::fromColor(QColor()), (RGBAColor{0.557, 0.557, 0.576, 1}));
}

TEST(DialPresets, BuiltInsAreFixed) {
    const auto& presets = DialPreset::builtIns();
    ASSERT_EQ(presets.size(), 3u);
    EXPECT_EQ(presets[0].name, QStringLiteral("Ultimate Productivity"));
    EXPECT_EQ(presets[0].sections, standardSections());
    EXPECT_EQ(presets[1].name, QStringLiteral("Writer's Focus"));
    EXPECT_EQ(presets[1].sections,
              (std::vector<K>{K::workspaces, K::actions, K::clipboard, K::files}));
    EXPECT_EQ(presets[2].name, QStringLiteral("Media & Calls"));
    EXPECT_EQ(presets[2].sections,
              (std::vector<K>{K::sound, K::windows, K::apps, K::actions, K::clipboard}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(presets[i].toJson().value(QStringLiteral("id")).toString(),
                  QStringLiteral("6B4A6E1A-0001-4000-8000-00000000000%1").arg(i + 1));
    }
}

TEST(DialPresets, MadePresetsGetFreshIdsAndRoundTrip) {
    const DialPreset a = DialPreset::make(QStringLiteral("Same"), {K::apps});
    const DialPreset b = DialPreset::make(QStringLiteral("Same"), {K::apps});
    EXPECT_NE(a.id, b.id);
    EXPECT_NE(a, b);
    const QJsonObject json = a.toJson();
    EXPECT_EQ(json.keys(), (QStringList{"id", "name", "sections"}));
    EXPECT_EQ(json.value(QStringLiteral("id")).toString(),
              json.value(QStringLiteral("id")).toString().toUpper());
    EXPECT_EQ(DialPreset::fromJson(json), a);
}
