#include "model/VellaroTheme.h"

#include "model/ColorMath.h"
#include "model/SettingsStore.h"
#include "model/VellaroSettings.h"
#include "platform/session/Appearance.h"

#include <QPointF>

namespace vellaro {

namespace {

QEasingCurve bezier(double x1, double y1, double x2, double y2) {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(x1, y1), QPointF(x2, y2), QPointF(1, 1));
    return curve;
}

// Brightness lifts the three fills toward white, keeping their opacity.
VellaroTheme lifted(VellaroTheme theme, double brightnessPercent) {
    const double lift = brightnessPercent / 100 * 0.35;
    if (lift <= 0)
        return theme;
    for (QColor* fill : {&theme.wedgeFill, &theme.wedgeHover, &theme.coreFill}) {
        const double alpha = fill->alphaF();
        *fill = withAlpha(blended(withAlpha(*fill, 1), Qt::white, lift), alpha);
    }
    return theme;
}

QColor customBase(const VellaroSettings& settings) {
    return drawableColor(settings.customBase, systemDarkGray());
}

} // namespace

const VellaroTheme& VellaroTheme::light() {
    static const VellaroTheme theme{srgb(0.976, 0.976, 0.988, 0.92),
                                    srgb(0.851, 0.851, 0.976, 0.97),
                                    srgb(1, 1, 1, 0.95),
                                    srgb(0.498, 0.498, 0.91),
                                    srgb(0.235, 0.235, 0.275),
                                    srgb(0.196, 0.196, 0.361),
                                    srgb(0.541, 0.541, 0.588),
                                    srgb(0.984, 0.984, 0.992, 0.96),
                                    srgb(0.196, 0.196, 0.314, 0.16),
                                    srgb(0.498, 0.498, 0.91, 0.28)};
    return theme;
}

const VellaroTheme& VellaroTheme::dark() {
    static const VellaroTheme theme{
        srgb(0.145, 0.137, 0.129, 0.92), srgb(0.259, 0.224, 0.169, 0.97), srgb(1, 1, 1, 0.07),
        srgb(0.902, 0.769, 0.576),       srgb(0.851, 0.827, 0.788),       srgb(0.957, 0.918, 0.851),
        srgb(0.553, 0.529, 0.475),       srgb(0.125, 0.122, 0.114, 0.96), srgb(0, 0, 0, 0.5),
        srgb(0.902, 0.769, 0.576, 0.36)};
    return theme;
}

const VellaroTheme& VellaroTheme::charcoal() {
    static const VellaroTheme theme{
        srgb(0.075, 0.075, 0.085, 0.92), srgb(0.16, 0.19, 0.25, 0.97), srgb(1, 1, 1, 0.06),
        srgb(0.5, 0.65, 0.88),           srgb(0.895, 0.9, 0.92),       srgb(0.97, 0.975, 1),
        srgb(0.5, 0.51, 0.55),           srgb(0.05, 0.05, 0.06, 0.96), srgb(0, 0, 0, 0.6),
        srgb(0.5, 0.65, 0.88, 0.38)};
    return theme;
}

VellaroTheme VellaroTheme::tinted(const QColor& baseColor, const QColor& accentColor) {
    const QColor base = baseColor.isValid() ? baseColor.toRgb() : systemDarkGray();
    const QColor accent = accentColor.isValid() ? accentColor.toRgb() : systemBlue();
    const bool dark = isDarkBase(base);
    const QColor ink = dark ? srgb(0.92, 0.92, 0.94) : srgb(0.18, 0.18, 0.23);
    VellaroTheme theme;
    theme.wedgeFill = withAlpha(base, 0.92);
    theme.wedgeHover = withAlpha(blended(base, accent, 0.32), 0.97);
    theme.wedgeStroke = srgb(1, 1, 1, dark ? 0.07 : 0.85);
    theme.accent = accent;
    theme.ink = ink;
    theme.inkHover = dark ? srgb(1, 1, 1) : blended(ink, accent, 0.45);
    theme.muted = blended(ink, base, 0.45);
    theme.coreFill = withAlpha(blended(base, dark ? Qt::black : Qt::white, 0.1), 0.96);
    theme.shadow = dark ? srgb(0, 0, 0, 0.55) : srgb(0.196, 0.196, 0.314, 0.18);
    theme.glow = withAlpha(accent, 0.38);
    return theme;
}

VellaroTheme VellaroTheme::forSettings(const VellaroSettings& settings, ColorScheme appearance) {
    VellaroTheme theme;
    switch (settings.theme) {
    case ThemeChoice::system:
        theme = appearance == ColorScheme::dark ? dark() : light();
        break;
    case ThemeChoice::pearl:
        theme = light();
        break;
    case ThemeChoice::eclipse:
        theme = dark();
        break;
    case ThemeChoice::charcoal:
        theme = charcoal();
        break;
    case ThemeChoice::custom:
        theme = tinted(customBase(settings), drawableColor(settings.customAccent, systemBlue()));
        break;
    }
    return lifted(theme, settings.clampedDialBrightness());
}

VellaroTheme VellaroTheme::current(ColorScheme appearance) {
    return forSettings(SettingsStore::shared().settings(), appearance);
}

bool VellaroTheme::isDark(const VellaroSettings& settings, ColorScheme applicationAppearance) {
    switch (settings.theme) {
    case ThemeChoice::system:
        return applicationAppearance == ColorScheme::dark;
    case ThemeChoice::pearl:
        return false;
    case ThemeChoice::eclipse:
    case ThemeChoice::charcoal:
        return true;
    case ThemeChoice::custom:
        return isDarkBase(customBase(settings));
    }
    return false;
}

bool VellaroTheme::isDark() {
    return isDark(SettingsStore::shared().settings(), Appearance::shared().colorScheme());
}

const QEasingCurve& VellaroTheme::overshootCurve() {
    static const QEasingCurve curve = bezier(0.3, 1.16, 0.35, 1.0);
    return curve;
}

const QEasingCurve& VellaroTheme::easeOutCurve() {
    static const QEasingCurve curve = bezier(0.22, 0.9, 0.28, 1.0);
    return curve;
}

} // namespace vellaro
