#include "ColorExpectations.h"
#include "model/SettingsStore.h"
#include "model/VellaroSettings.h"
#include "model/VellaroTheme.h"
#include "platform/session/Appearance.h"

#include <QPointF>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::Rgba;
using test::sameColor;

VellaroSettings settingsWith(ThemeChoice theme, double brightness = 0) {
    VellaroSettings settings;
    settings.theme = theme;
    settings.dialBrightness = brightness;
    return settings;
}

TEST(VellaroThemeTest, FixedPalettes) {
    struct Case {
        const char* name;
        const VellaroTheme& theme;
        std::array<Rgba, 10> colours;
    };
    const Case cases[] = {
        {"light",
         VellaroTheme::light(),
         {{{0.976, 0.976, 0.988, 0.92},
           {0.851, 0.851, 0.976, 0.97},
           {1, 1, 1, 0.95},
           {0.498, 0.498, 0.91, 1},
           {0.235, 0.235, 0.275, 1},
           {0.196, 0.196, 0.361, 1},
           {0.541, 0.541, 0.588, 1},
           {0.984, 0.984, 0.992, 0.96},
           {0.196, 0.196, 0.314, 0.16},
           {0.498, 0.498, 0.91, 0.28}}}},
        {"dark",
         VellaroTheme::dark(),
         {{{0.145, 0.137, 0.129, 0.92},
           {0.259, 0.224, 0.169, 0.97},
           {1, 1, 1, 0.07},
           {0.902, 0.769, 0.576, 1},
           {0.851, 0.827, 0.788, 1},
           {0.957, 0.918, 0.851, 1},
           {0.553, 0.529, 0.475, 1},
           {0.125, 0.122, 0.114, 0.96},
           {0, 0, 0, 0.5},
           {0.902, 0.769, 0.576, 0.36}}}},
        {"charcoal",
         VellaroTheme::charcoal(),
         {{{0.075, 0.075, 0.085, 0.92},
           {0.16, 0.19, 0.25, 0.97},
           {1, 1, 1, 0.06},
           {0.5, 0.65, 0.88, 1},
           {0.895, 0.9, 0.92, 1},
           {0.97, 0.975, 1, 1},
           {0.5, 0.51, 0.55, 1},
           {0.05, 0.05, 0.06, 0.96},
           {0, 0, 0, 0.6},
           {0.5, 0.65, 0.88, 0.38}}}},
    };
    for (const Case& c : cases) {
        const VellaroTheme& t = c.theme;
        const QColor fields[] = {t.wedgeFill, t.wedgeHover, t.wedgeStroke, t.accent, t.ink,
                                 t.inkHover,  t.muted,      t.coreFill,    t.shadow, t.glow};
        for (std::size_t i = 0; i < 10; ++i)
            EXPECT_TRUE(sameColor(fields[i], c.colours[i])) << c.name << " field " << i;
    }
}

TEST(VellaroThemeTest, ChoiceAndAppearancePickThePalette) {
    struct Case {
        ThemeChoice theme;
        ColorScheme appearance;
        const VellaroTheme& expected;
        bool dark;
    };
    const Case cases[] = {
        {ThemeChoice::system, ColorScheme::light, VellaroTheme::light(), false},
        {ThemeChoice::system, ColorScheme::dark, VellaroTheme::dark(), true},
        {ThemeChoice::pearl, ColorScheme::dark, VellaroTheme::light(), false},
        {ThemeChoice::eclipse, ColorScheme::light, VellaroTheme::dark(), true},
        {ThemeChoice::charcoal, ColorScheme::light, VellaroTheme::charcoal(), true},
    };
    for (const Case& c : cases) {
        const VellaroSettings settings = settingsWith(c.theme);
        EXPECT_EQ(VellaroTheme::forSettings(settings, c.appearance), c.expected);
        EXPECT_EQ(VellaroTheme::isDark(settings, c.appearance), c.dark);
    }
}

TEST(VellaroThemeTest, BrightnessLiftsOnlyTheFillsAndIsClamped) {
    const VellaroTheme& light = VellaroTheme::light();
    struct Case {
        double brightness;
        double lift;
    };
    // Brightness from a file is made safe where it is used: 0...100.
    const Case cases[] = {{0, 0}, {-40, 0}, {50, 0.175}, {100, 0.35}, {250, 0.35}};
    for (const Case& c : cases) {
        const VellaroTheme theme = VellaroTheme::forSettings(
            settingsWith(ThemeChoice::pearl, c.brightness), ColorScheme::light);
        auto up = [&](double x) { return x + (1 - x) * c.lift; };
        EXPECT_TRUE(sameColor(theme.wedgeFill, {up(0.976), up(0.976), up(0.988), 0.92}))
            << c.brightness;
        EXPECT_TRUE(sameColor(theme.wedgeHover, {up(0.851), up(0.851), up(0.976), 0.97}))
            << c.brightness;
        EXPECT_TRUE(sameColor(theme.coreFill, {up(0.984), up(0.984), up(0.992), 0.96}))
            << c.brightness;
        EXPECT_EQ(theme.accent, light.accent);
        EXPECT_EQ(theme.ink, light.ink);
        EXPECT_EQ(theme.shadow, light.shadow);
        EXPECT_EQ(theme.wedgeStroke, light.wedgeStroke);
        if (c.lift == 0) {
            EXPECT_EQ(theme, light) << c.brightness;
        }
    }
}

TEST(VellaroThemeTest, CustomThemeFromBaseAndAccent) {
    VellaroSettings grey = settingsWith(ThemeChoice::custom);
    grey.customBase = {0.5, 0.5, 0.5, 1};
    const VellaroTheme light = VellaroTheme::forSettings(grey, ColorScheme::dark);
    EXPECT_FALSE(VellaroTheme::isDark(grey, ColorScheme::dark)) << "luminance 0.5 is light";
    EXPECT_TRUE(sameColor(light.ink, {0.18, 0.18, 0.23, 1}));
    EXPECT_TRUE(sameColor(light.wedgeStroke, {1, 1, 1, 0.85}));
    EXPECT_TRUE(sameColor(light.wedgeFill, {0.5, 0.5, 0.5, 0.92}));
    EXPECT_TRUE(sameColor(light.coreFill, {0.55, 0.55, 0.55, 0.96}));
    // inkHover: ink 45% toward the accent.
    EXPECT_TRUE(
        sameColor(light.inkHover, {0.18 + (0.498 - 0.18) * 0.45, 0.18 + (0.498 - 0.18) * 0.45,
                                   0.23 + (0.91 - 0.23) * 0.45, 1}));
    EXPECT_TRUE(sameColor(light.shadow, {0.196, 0.196, 0.314, 0.18}));

    const VellaroSettings defaults = settingsWith(ThemeChoice::custom);
    const VellaroTheme dark = VellaroTheme::forSettings(defaults, ColorScheme::light);
    EXPECT_TRUE(VellaroTheme::isDark(defaults, ColorScheme::light));
    EXPECT_TRUE(sameColor(dark.inkHover, {1, 1, 1, 1}));
    EXPECT_TRUE(sameColor(dark.coreFill, {0.145 * 0.9, 0.137 * 0.9, 0.129 * 0.9, 0.96}));
    EXPECT_TRUE(
        sameColor(dark.wedgeHover, {0.145 + (0.498 - 0.145) * 0.32, 0.137 + (0.498 - 0.137) * 0.32,
                                    0.129 + (0.91 - 0.129) * 0.32, 0.97}));
    EXPECT_TRUE(sameColor(dark.muted, {0.92 + (0.145 - 0.92) * 0.45, 0.92 + (0.137 - 0.92) * 0.45,
                                       0.94 + (0.129 - 0.94) * 0.45, 1}));
    EXPECT_TRUE(sameColor(dark.accent, {0.498, 0.498, 0.91, 1}));
    EXPECT_TRUE(sameColor(dark.glow, {0.498, 0.498, 0.91, 0.38}));
    EXPECT_TRUE(sameColor(dark.shadow, {0, 0, 0, 0.55}));
}

TEST(VellaroThemeTest, OpeningCurves) {
    const QEasingCurve& overshoot = VellaroTheme::overshootCurve();
    const QEasingCurve& easeOut = VellaroTheme::easeOutCurve();
    EXPECT_NEAR(overshoot.valueForProgress(0), 0, 1e-6);
    EXPECT_NEAR(overshoot.valueForProgress(1), 1, 1e-6);
    double peak = 0;
    for (int i = 0; i <= 100; ++i)
        peak = std::max(peak, overshoot.valueForProgress(i / 100.0));
    EXPECT_GT(peak, 1.0) << "overshoots before settling";
    for (int i = 0; i <= 100; ++i)
        EXPECT_LE(easeOut.valueForProgress(i / 100.0), 1.0 + 1e-9);
    EXPECT_GT(easeOut.valueForProgress(0.5), 0.8) << "fast start, slow end";
    const QList<QPointF> points = overshoot.toCubicSpline();
    ASSERT_EQ(points.size(), 3);
    EXPECT_EQ(points[0], QPointF(0.3, 1.16));
    EXPECT_EQ(points[1], QPointF(0.35, 1.0));
}

} // namespace
} // namespace vellaro

namespace vellaro {
namespace {

class FixedAppearance final : public Appearance {
public:
    ColorScheme scheme = ColorScheme::light;
    ColorScheme colorScheme() const override { return scheme; }
    bool reduceMotion() const override { return false; }
    bool reduceTransparency() const override { return false; }
};

TEST(VellaroThemeTest, IsDarkReadsTheSharedSettingsAndTheDesktop) {
    FixedAppearance appearance;
    Appearance::setShared(&appearance);
    SettingsStore::shared().setTheme(ThemeChoice::system);
    appearance.scheme = ColorScheme::dark;
    EXPECT_TRUE(VellaroTheme::isDark());
    appearance.scheme = ColorScheme::light;
    EXPECT_FALSE(VellaroTheme::isDark());
    SettingsStore::shared().setTheme(ThemeChoice::charcoal);
    EXPECT_TRUE(VellaroTheme::isDark());
    EXPECT_EQ(VellaroTheme::current(ColorScheme::light), VellaroTheme::charcoal());
    Appearance::setShared(nullptr);
}

} // namespace
} // namespace vellaro
