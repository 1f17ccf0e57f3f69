#include "ColorExpectations.h"
#include "model/Pal.h"
#include "model/VellaroSettings.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::Rgba;
using test::sameColor;

std::array<QColor, 14> fields(const Pal& p) {
    return {p.bgTop,  p.bgBottom, p.canvas, p.panel, p.line,   p.chip,       p.chipTop,
            p.hilite, p.well,     p.ink,    p.muted, p.accent, p.accentSoft, p.glow};
}

TEST(PalTest, FixedPalettes) {
    struct Case {
        const char* name;
        const Pal& pal;
        std::array<Rgba, 14> colours;
    };
    const Case cases[] = {
        {"light",
         Pal::light(),
         {{{0.925, 0.922, 0.941},
           {0.871, 0.867, 0.898},
           {0.847, 0.843, 0.874},
           {1, 1, 1, 0.55},
           {0.235, 0.235, 0.353, 0.13},
           {1, 1, 1, 0.62},
           {1, 1, 1, 0.92},
           {1, 1, 1, 0.85},
           {0.235, 0.235, 0.353, 0.07},
           {0.2, 0.2, 0.243},
           {0.541, 0.541, 0.588},
           {0.373, 0.373, 0.851},
           {0.373, 0.373, 0.851, 0.13},
           {0.373, 0.373, 0.851, 0.3}}}},
        {"dark",
         Pal::dark(),
         {{{0.106, 0.102, 0.098},
           {0.071, 0.067, 0.063},
           {0.067, 0.063, 0.059},
           {0.086, 0.082, 0.078, 0.6},
           {1, 1, 1, 0.08},
           {1, 1, 1, 0.045},
           {1, 1, 1, 0.1},
           {1, 1, 1, 0.08},
           {0, 0, 0, 0.28},
           {0.867, 0.843, 0.8},
           {0.553, 0.529, 0.475},
           {0.878, 0.745, 0.549},
           {0.878, 0.745, 0.549, 0.13},
           {0.878, 0.745, 0.549, 0.3}}}},
        {"charcoal",
         Pal::charcoal(),
         {{{0.063, 0.063, 0.075},
           {0.027, 0.027, 0.035},
           {0.039, 0.039, 0.047},
           {0.063, 0.063, 0.078, 0.6},
           {1, 1, 1, 0.09},
           {1, 1, 1, 0.045},
           {1, 1, 1, 0.1},
           {1, 1, 1, 0.07},
           {0, 0, 0, 0.35},
           {0.894, 0.898, 0.917},
           {0.494, 0.51, 0.549},
           {0.498, 0.651, 0.878},
           {0.498, 0.651, 0.878, 0.13},
           {0.498, 0.651, 0.878, 0.3}}}},
    };
    for (const Case& c : cases) {
        const auto colours = fields(c.pal);
        for (std::size_t i = 0; i < colours.size(); ++i)
            EXPECT_TRUE(sameColor(colours[i], c.colours[i])) << c.name << " field " << i;
    }
}

TEST(PalTest, ThemeChoiceAndSchemePickThePalette) {
    struct Case {
        ThemeChoice theme;
        ColorScheme scheme;
        const Pal& expected;
    };
    const Case cases[] = {
        {ThemeChoice::system, ColorScheme::dark, Pal::dark()},
        {ThemeChoice::system, ColorScheme::light, Pal::light()},
        {ThemeChoice::pearl, ColorScheme::dark, Pal::light()},
        {ThemeChoice::eclipse, ColorScheme::light, Pal::dark()},
        {ThemeChoice::charcoal, ColorScheme::light, Pal::charcoal()},
        {ThemeChoice::charcoal, ColorScheme::dark, Pal::charcoal()},
    };
    for (const Case& c : cases) {
        VellaroSettings settings;
        settings.theme = c.theme;
        EXPECT_EQ(Pal::forSettings(settings, c.scheme), c.expected);
    }
}

TEST(PalTest, CustomPaletteFromTheBaseColour) {
    const QColor accent = QColor::fromRgbF(0.9f, 0.2f, 0.4f);
    struct Case {
        const char* name;
        Rgba base;
        const Pal& startsFrom;
        Rgba bgTop, bgBottom, canvas, panel, chip, chipTop, well;
    };
    const Case cases[] = {
        {"white is light",
         {1, 1, 1},
         Pal::light(),
         {1, 1, 1},
         {0.92, 0.92, 0.92},
         {1, 1, 1},
         {1, 1, 1, 0.42},
         {1, 1, 1},
         {1, 1, 1},
         {0.92, 0.92, 0.92}},
        {"black is dark",
         {0, 0, 0},
         Pal::dark(),
         {0.08, 0.08, 0.08},
         {0, 0, 0},
         {0, 0, 0},
         {0, 0, 0, 0.62},
         {0.07, 0.07, 0.07},
         {0.13, 0.13, 0.13},
         {0, 0, 0}},
        {"luminance 0.5 is light",
         {0.5, 0.5, 0.5},
         Pal::light(),
         {0.61, 0.61, 0.61},
         {0.46, 0.46, 0.46},
         {0.55, 0.55, 0.55},
         {0.5, 0.5, 0.5, 0.42},
         {0.65, 0.65, 0.65},
         {0.75, 0.75, 0.75},
         {0.46, 0.46, 0.46}},
    };
    for (const Case& c : cases) {
        VellaroSettings settings;
        settings.theme = ThemeChoice::custom;
        settings.customBase = {c.base.r, c.base.g, c.base.b, 1};
        settings.customAccent = RGBAColor::fromColor(accent);
        const Pal pal = Pal::forSettings(settings, ColorScheme::dark);
        EXPECT_TRUE(sameColor(pal.bgTop, c.bgTop)) << c.name;
        EXPECT_TRUE(sameColor(pal.bgBottom, c.bgBottom)) << c.name;
        EXPECT_TRUE(sameColor(pal.canvas, c.canvas)) << c.name;
        EXPECT_TRUE(sameColor(pal.panel, c.panel)) << c.name;
        EXPECT_TRUE(sameColor(pal.chip, c.chip)) << c.name;
        EXPECT_TRUE(sameColor(pal.chipTop, c.chipTop)) << c.name;
        EXPECT_TRUE(sameColor(pal.well, c.well)) << c.name;
        EXPECT_EQ(pal.line, c.startsFrom.line) << c.name;
        EXPECT_EQ(pal.hilite, c.startsFrom.hilite) << c.name;
        EXPECT_EQ(pal.ink, c.startsFrom.ink) << c.name;
        EXPECT_EQ(pal.muted, c.startsFrom.muted) << c.name;
        EXPECT_TRUE(sameColor(pal.accent, {0.9, 0.2, 0.4})) << c.name;
        EXPECT_TRUE(sameColor(pal.accentSoft, {0.9, 0.2, 0.4, 0.13})) << c.name;
        EXPECT_TRUE(sameColor(pal.glow, {0.9, 0.2, 0.4, 0.3})) << c.name;
    }
}

} // namespace
} // namespace vellaro
