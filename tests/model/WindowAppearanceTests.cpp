#include "model/Pal.h"
#include "model/VellaroSettings.h"
#include "model/WindowAppearance.h"

#include <gtest/gtest.h>
#include <vector>

namespace vellaro {
namespace {

using Mode = WindowAppearance::Mode;

TEST(WindowAppearanceTest, ThemeAndDesktopDecideTheScheme) {
    const RGBAColor lightBase{0.95, 0.94, 0.90, 1.0};
    const RGBAColor darkBase{0.12, 0.12, 0.14, 1.0};
    struct Case {
        ThemeChoice theme;
        RGBAColor base;
        Mode mode;
        ColorScheme onLightDesktop;
        ColorScheme onDarkDesktop;
    };
    const Case cases[] = {
        {ThemeChoice::system, darkBase, Mode::followDesktop, ColorScheme::light, ColorScheme::dark},
        {ThemeChoice::pearl, darkBase, Mode::light, ColorScheme::light, ColorScheme::light},
        {ThemeChoice::eclipse, lightBase, Mode::dark, ColorScheme::dark, ColorScheme::dark},
        {ThemeChoice::charcoal, lightBase, Mode::dark, ColorScheme::dark, ColorScheme::dark},
        {ThemeChoice::custom, lightBase, Mode::light, ColorScheme::light, ColorScheme::light},
        {ThemeChoice::custom, darkBase, Mode::dark, ColorScheme::dark, ColorScheme::dark},
    };
    for (const Case& c : cases) {
        // Only the custom theme reads the custom colour.
        const bool readsBase = c.theme == ThemeChoice::custom;
        for (const RGBAColor& base :
             readsBase ? std::vector{c.base} : std::vector{lightBase, darkBase}) {
            VellaroSettings settings;
            settings.theme = c.theme;
            settings.customBase = base;
            SCOPED_TRACE(int(c.theme));
            EXPECT_EQ(WindowAppearance::mode(settings), c.mode);
            EXPECT_EQ(WindowAppearance::scheme(settings, ColorScheme::light), c.onLightDesktop);
            EXPECT_EQ(WindowAppearance::scheme(settings, ColorScheme::dark), c.onDarkDesktop);
            for (ColorScheme desktop : {ColorScheme::light, ColorScheme::dark}) {
                const ColorScheme shown =
                    desktop == ColorScheme::light ? c.onLightDesktop : c.onDarkDesktop;
                const QColor expectedTop = c.theme == ThemeChoice::charcoal ? Pal::charcoal().bgTop
                                           : c.theme == ThemeChoice::custom
                                               ? Pal::forSettings(settings, desktop).bgTop
                                           : shown == ColorScheme::dark ? Pal::dark().bgTop
                                                                        : Pal::light().bgTop;
                EXPECT_EQ(WindowAppearance::pal(settings, desktop).bgTop, expectedTop);
            }
        }
    }
}

TEST(WindowAppearanceTest, PaletteRolesAreOpaqueAndFollowThePal) {
    for (const Pal* pal : {&Pal::light(), &Pal::dark(), &Pal::charcoal()}) {
        const QPalette palette = WindowAppearance::palette(
            *pal, pal == &Pal::light() ? ColorScheme::light : ColorScheme::dark);
        EXPECT_EQ(palette.color(QPalette::Window), pal->bgTop);
        EXPECT_EQ(palette.color(QPalette::Text), pal->ink);
        EXPECT_EQ(palette.color(QPalette::Highlight), pal->accent);
        // Translucent pal colours are flattened over the window colour.
        for (auto role : {QPalette::Base, QPalette::AlternateBase, QPalette::PlaceholderText})
            EXPECT_EQ(palette.color(role).alpha(), 255);
    }
}

} // namespace
} // namespace vellaro
