#pragma once

#include "platform/session/ColorScheme.h"

#include <QColor>
#include <QEasingCurve>

namespace vellaro {

struct VellaroSettings;

// The ten colours the dial is drawn with, and its two opening curves.
struct VellaroTheme {
    QColor wedgeFill;   // wedges at rest
    QColor wedgeHover;  // a hovered wedge
    QColor wedgeStroke; // wedge outlines
    QColor accent;
    QColor ink;      // icons and labels
    QColor inkHover; // icons and labels when hovered
    QColor muted;    // secondary text
    QColor coreFill; // the core disc
    QColor shadow;
    QColor glow;

    static const VellaroTheme& light();
    static const VellaroTheme& dark();
    static const VellaroTheme& charcoal();
    // The custom theme from a base and an accent colour.
    static VellaroTheme tinted(const QColor& base, const QColor& accent);

    // The theme the settings choose, lifted by their dial brightness;
    // `appearance` decides the system theme.
    static VellaroTheme forSettings(const VellaroSettings& settings, ColorScheme appearance);
    // The same for the shared settings as they stand now.
    static VellaroTheme current(ColorScheme appearance);

    // Whether the dial looks dark under these settings, the system theme
    // following the application's appearance.
    static bool isDark(const VellaroSettings& settings, ColorScheme applicationAppearance);
    // The same for the shared settings and the desktop's appearance.
    static bool isDark();

    // The ring's fade and scale when the dial opens; overshoots before settling.
    static const QEasingCurve& overshootCurve();
    // The core's opening, the fan's reveal and the hover highlight.
    static const QEasingCurve& easeOutCurve();

    friend bool operator==(const VellaroTheme&, const VellaroTheme&) = default;
};

} // namespace vellaro
