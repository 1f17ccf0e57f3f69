#include "model/VellaroSettings.h"
#include "settings/library/LibraryFilter.h"
#include "settings/panel/DialWideText.h"

#include <gtest/gtest.h>
#include <limits>

using namespace vellaro;
using Kinds = std::vector<SectionKind>;

TEST(LibraryFilter, KeepsKindsWhoseTitleOrBlurbHoldsTheTrimmedQuery) {
    const Kinds all(allSectionKinds.begin(), allSectionKinds.end());
    const std::pair<const char*, Kinds> cases[] = {
        {"", all},
        {"   ", all},
        {" \t ", all},
        {"WINDOW", {SectionKind::workspaces, SectionKind::windows}},
        {"  paste\t", {SectionKind::clipboard}},
        {"zzz", {}},
        // A line break is no space: nothing matches it.
        {"sound\n", {}},
        {"\n", {}},
        {"pinned", {SectionKind::apps, SectionKind::files}},
    };
    for (const auto& [query, expected] : cases)
        EXPECT_EQ(LibraryFilter::filtered(QString::fromUtf8(query)), expected) << query;
    // Unicode space separators count as spaces.
    EXPECT_EQ(LibraryFilter::filtered(QStringLiteral(u"\u00a0sound\u2003")),
              Kinds{SectionKind::sound});
}

TEST(LibraryFilter, BadgesGiveTheFirstPlaceAndTheDialsLength) {
    const Kinds standard = standardSections();
    const Kinds withDuplicate{SectionKind::apps, SectionKind::files, SectionKind::apps};
    const Kinds all(allSectionKinds.begin(), allSectionKinds.end());
    const struct {
        SectionKind kind;
        Kinds dial;
        std::optional<QString> badge;
    } cases[] = {
        {SectionKind::workspaces, standard, QStringLiteral("1 of 6")},
        {SectionKind::files, standard, QStringLiteral("6 of 6")},
        {SectionKind::clipboard, standard, QStringLiteral("5 of 6")},
        {SectionKind::actions, standard, QStringLiteral("4 of 6")},
        {SectionKind::sound, standard, std::nullopt},
        {SectionKind::apps, withDuplicate, QStringLiteral("1 of 3")},
        {SectionKind::sound, all, QStringLiteral("6 of 7")},
        {SectionKind::actions, all, QStringLiteral("7 of 7")},
        {SectionKind::apps, {}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LibraryFilter::badge(c.kind, c.dial), c.badge) << rawValue(c.kind).toStdString();
}

TEST(DialWideText, SummaryShowsTheTimingsTheDialUsesTruncated) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double hover, hold;
        SubmenuOpenMode mode;
        const char* summary;
    } cases[] = {
        {120, 300, SubmenuOpenMode::hover, "120 ms · 300 ms · hover"},
        {50, 600, SubmenuOpenMode::click, "50 ms · 600 ms · click"},
        {120.9, 300.99, SubmenuOpenMode::hover, "120 ms · 300 ms · hover"},
        {nan, 1e300, SubmenuOpenMode::hover, "120 ms · 10000 ms · hover"},
        {-5, -inf, SubmenuOpenMode::click, "0 ms · 300 ms · click"},
    };
    for (const auto& c : cases) {
        VellaroSettings settings;
        settings.hoverDelayMS = c.hover;
        settings.gestureHoldMS = c.hold;
        settings.submenuOpen = c.mode;
        EXPECT_EQ(DialWideText::advancedSummary(settings).toStdString(), c.summary) << c.hover;
    }
}

TEST(DialWideText, SegmentLabelsMapBothWays) {
    const std::pair<MaterialChoice, const char*> materials[] = {{MaterialChoice::frost, "Frost"},
                                                                {MaterialChoice::matte, "Matte"},
                                                                {MaterialChoice::clear, "Clear"}};
    for (const auto& [material, label] : materials) {
        EXPECT_EQ(DialWideText::materialLabel(material), QLatin1String(label));
        EXPECT_EQ(DialWideText::materialForLabel(QLatin1String(label)), material);
    }
    const std::pair<ThemeChoice, const char*> themes[] = {{ThemeChoice::system, "System"},
                                                          {ThemeChoice::pearl, "Light"},
                                                          {ThemeChoice::eclipse, "Dark"},
                                                          {ThemeChoice::charcoal, "Charcoal"},
                                                          {ThemeChoice::custom, "Custom"}};
    for (const auto& [theme, label] : themes) {
        EXPECT_EQ(DialWideText::themeLabel(theme), QLatin1String(label));
        EXPECT_EQ(DialWideText::themeForLabel(QLatin1String(label)), theme);
    }
    const std::pair<MenuScale, const char*> scales[] = {{MenuScale::small, "Small"},
                                                        {MenuScale::standard, "Standard"},
                                                        {MenuScale::large, "Large"}};
    for (const auto& [scale, label] : scales) {
        EXPECT_EQ(DialWideText::scaleLabel(scale), QLatin1String(label));
        EXPECT_EQ(DialWideText::scaleForLabel(QLatin1String(label)), scale);
    }
    // Labels that name nothing change nothing.
    for (const char* label : {"", "frost", "Pearl", "Eclipse", "Medium"}) {
        EXPECT_FALSE(DialWideText::materialForLabel(QLatin1String(label))) << label;
        EXPECT_FALSE(DialWideText::themeForLabel(QLatin1String(label))) << label;
        EXPECT_FALSE(DialWideText::scaleForLabel(QLatin1String(label))) << label;
    }
}

TEST(DialWideText, FooterNamesTheVersionAndZeroWithoutOne) {
    EXPECT_EQ(DialWideText::applicationVersion(), QStringLiteral("0"));
    EXPECT_EQ(DialWideText::footer(QStringLiteral("1.4")),
              QStringLiteral("Vellaro 1.4 · everything on your computer, around your cursor"));
}
