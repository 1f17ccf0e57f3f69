#pragma once

#include "platform/session/ColorScheme.h"

#include <QColor>

namespace vellaro {

struct VellaroSettings;

// The fourteen colours of the console-style windows (settings console, setup
// assistants, clipboard history, update window). It follows the dial's
// theme so that the windows match the dial.
struct Pal {
    QColor bgTop;    // window background, top of its vertical gradient
    QColor bgBottom; // window background, bottom of its gradient
    QColor canvas;
    QColor panel; // panel surfaces
    QColor line;  // lines and borders
    QColor chip;
    QColor chipTop; // chip fill, upper tone
    QColor hilite;
    QColor well; // recessed wells
    QColor ink;  // primary text and strokes
    QColor muted;
    QColor accent;
    QColor accentSoft;
    QColor glow;

    static const Pal& light();
    static const Pal& dark();
    static const Pal& charcoal();
    // The palette built from the user's two custom colours.
    static Pal custom(const QColor& base, const QColor& accent);

    // The palette the settings' theme chooses; `scheme` decides the system theme.
    static Pal forSettings(const VellaroSettings& settings, ColorScheme scheme);
    // The same for the shared settings as they stand now.
    static Pal current(ColorScheme scheme);

    friend bool operator==(const Pal&, const Pal&) = default;
};

} // namespace vellaro
