#include "model/Pal.h"

#include "model/ColorMath.h"
#include "model/SettingsStore.h"
#include "model/VellaroSettings.h"

namespace vellaro {

namespace {

const QColor white = srgb(1, 1, 1);
const QColor black = srgb(0, 0, 0);

// The palette's colours that derive from the accent.
Pal withAccent(Pal pal, const QColor& accent) {
    pal.accent = accent;
    pal.accentSoft = withAlpha(accent, 0.13);
    pal.glow = withAlpha(accent, 0.3);
    return pal;
}

} // namespace

const Pal& Pal::light() {
    static const Pal pal = withAccent({srgb(0.925, 0.922, 0.941),
                                       srgb(0.871, 0.867, 0.898),
                                       srgb(0.847, 0.843, 0.874),
                                       withAlpha(white, 0.55),
                                       srgb(0.235, 0.235, 0.353, 0.13),
                                       withAlpha(white, 0.62),
                                       withAlpha(white, 0.92),
                                       withAlpha(white, 0.85),
                                       srgb(0.235, 0.235, 0.353, 0.07),
                                       srgb(0.2, 0.2, 0.243),
                                       srgb(0.541, 0.541, 0.588),
                                       {},
                                       {},
                                       {}},
                                      srgb(0.373, 0.373, 0.851));
    return pal;
}

const Pal& Pal::dark() {
    static const Pal pal = withAccent({srgb(0.106, 0.102, 0.098),
                                       srgb(0.071, 0.067, 0.063),
                                       srgb(0.067, 0.063, 0.059),
                                       srgb(0.086, 0.082, 0.078, 0.6),
                                       withAlpha(white, 0.08),
                                       withAlpha(white, 0.045),
                                       withAlpha(white, 0.1),
                                       withAlpha(white, 0.08),
                                       withAlpha(black, 0.28),
                                       srgb(0.867, 0.843, 0.8),
                                       srgb(0.553, 0.529, 0.475),
                                       {},
                                       {},
                                       {}},
                                      srgb(0.878, 0.745, 0.549));
    return pal;
}

const Pal& Pal::charcoal() {
    static const Pal pal = withAccent({srgb(0.063, 0.063, 0.075),
                                       srgb(0.027, 0.027, 0.035),
                                       srgb(0.039, 0.039, 0.047),
                                       srgb(0.063, 0.063, 0.078, 0.6),
                                       withAlpha(white, 0.09),
                                       withAlpha(white, 0.045),
                                       withAlpha(white, 0.1),
                                       withAlpha(white, 0.07),
                                       withAlpha(black, 0.35),
                                       srgb(0.894, 0.898, 0.917),
                                       srgb(0.494, 0.51, 0.549),
                                       {},
                                       {},
                                       {}},
                                      srgb(0.498, 0.651, 0.878));
    return pal;
}

Pal Pal::custom(const QColor& baseColor, const QColor& accent) {
    const QColor base = baseColor.isValid() ? baseColor.toRgb() : systemDarkGray();
    auto up = [&](double f) { return blended(base, white, f); };
    auto down = [&](double f) { return blended(base, black, f); };
    // line, hilite, ink and muted stay those of the palette it starts from.
    Pal pal;
    if (isDarkBase(base)) {
        pal = dark();
        pal.bgTop = up(0.08);
        pal.bgBottom = down(0.18);
        pal.canvas = down(0.14);
        pal.panel = withAlpha(base, 0.62);
        pal.chip = up(0.07);
        pal.chipTop = up(0.13);
        pal.well = down(0.22);
    } else {
        pal = light();
        pal.bgTop = up(0.22);
        pal.bgBottom = down(0.08);
        pal.canvas = up(0.1);
        pal.panel = withAlpha(base, 0.42);
        pal.chip = up(0.3);
        pal.chipTop = up(0.5);
        pal.well = down(0.08);
    }
    return withAccent(pal, accent.isValid() ? accent.toRgb() : systemBlue());
}

Pal Pal::forSettings(const VellaroSettings& settings, ColorScheme scheme) {
    switch (settings.theme) {
    case ThemeChoice::system:
        return scheme == ColorScheme::dark ? dark() : light();
    case ThemeChoice::pearl:
        return light();
    case ThemeChoice::eclipse:
        return dark();
    case ThemeChoice::charcoal:
        return charcoal();
    case ThemeChoice::custom:
        return custom(drawableColor(settings.customBase, systemDarkGray()),
                      drawableColor(settings.customAccent, systemBlue()));
    }
    return light();
}

Pal Pal::current(ColorScheme scheme) {
    return forSettings(SettingsStore::shared().settings(), scheme);
}

} // namespace vellaro
