#pragma once

#include "platform/session/ColorScheme.h"

class QWidget;

namespace vellaro {

// Tells the window manager whether a window is light or dark through
// `_GTK_THEME_VARIANT`, so themed title bars match the window. Does nothing
// off X11 or before the window has a native handle.
void setGtkThemeVariant(QWidget& window, ColorScheme scheme);

} // namespace vellaro
