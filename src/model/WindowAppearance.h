#pragma once

#include "model/Pal.h"
#include "platform/session/ColorScheme.h"

#include <QPalette>

class QWidget;

namespace vellaro {

struct VellaroSettings;

// How the console-style windows (settings console, setup assistants,
// clipboard history, update window) look: the dial's theme decides, and the
// system theme follows the desktop.
class WindowAppearance {
public:
    enum class Mode { followDesktop, light, dark };

    // theme system → follow the desktop; pearl → light; eclipse and charcoal
    // → dark; custom → dark when its base colour is dark.
    static Mode mode(const VellaroSettings& settings);

    // The scheme a window shows: `desktop` decides only when following it.
    static ColorScheme scheme(const VellaroSettings& settings, ColorScheme desktop);

    // The window's colours and the Qt palette built from them, so that
    // standard widgets, popups and dialogs inside it match.
    static Pal pal(const VellaroSettings& settings, ColorScheme desktop);
    static QPalette palette(const Pal& pal, ColorScheme scheme);
};

} // namespace vellaro
