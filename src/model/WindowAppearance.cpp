#include "model/WindowAppearance.h"

#include "model/ColorMath.h"
#include "model/VellaroSettings.h"
#include "model/VellaroTheme.h"

namespace vellaro {

WindowAppearance::Mode WindowAppearance::mode(const VellaroSettings& settings) {
    switch (settings.theme) {
    case ThemeChoice::system:
        return Mode::followDesktop;
    case ThemeChoice::pearl:
        return Mode::light;
    case ThemeChoice::eclipse:
    case ThemeChoice::charcoal:
        return Mode::dark;
    case ThemeChoice::custom:
        // The desktop's scheme plays no part for a custom colour.
        return VellaroTheme::isDark(settings, ColorScheme::light) ? Mode::dark : Mode::light;
    }
    return Mode::followDesktop;
}

ColorScheme WindowAppearance::scheme(const VellaroSettings& settings, ColorScheme desktop) {
    switch (mode(settings)) {
    case Mode::followDesktop:
        return desktop;
    case Mode::light:
        return ColorScheme::light;
    case Mode::dark:
        return ColorScheme::dark;
    }
    return desktop;
}

Pal WindowAppearance::pal(const VellaroSettings& settings, ColorScheme desktop) {
    return Pal::forSettings(settings, desktop);
}

QPalette WindowAppearance::palette(const Pal& pal, ColorScheme scheme) {
    const bool dark = scheme == ColorScheme::dark;
    QPalette palette;
    const QColor mutedInk = over(pal.muted, pal.bgTop);
    palette.setColor(QPalette::Window, pal.bgTop);
    palette.setColor(QPalette::WindowText, pal.ink);
    palette.setColor(QPalette::Base, over(pal.well, pal.bgTop));
    palette.setColor(QPalette::AlternateBase, over(pal.panel, pal.bgTop));
    palette.setColor(QPalette::ToolTipBase, pal.bgBottom);
    palette.setColor(QPalette::ToolTipText, pal.ink);
    palette.setColor(QPalette::PlaceholderText, mutedInk);
    palette.setColor(QPalette::Text, pal.ink);
    palette.setColor(QPalette::Button, dark ? pal.bgBottom.lighter(130) : pal.bgTop);
    palette.setColor(QPalette::ButtonText, pal.ink);
    palette.setColor(QPalette::BrightText, dark ? Qt::white : Qt::black);
    palette.setColor(QPalette::Highlight, pal.accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, pal.accent);
    palette.setColor(QPalette::Light, dark ? pal.bgTop.lighter(150) : Qt::white);
    palette.setColor(QPalette::Midlight, dark ? pal.bgTop.lighter(125) : pal.bgTop.darker(105));
    palette.setColor(QPalette::Mid, mutedInk);
    palette.setColor(QPalette::Dark, dark ? Qt::black : pal.bgBottom.darker(140));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, mutedInk);
    return palette;
}

} // namespace vellaro
