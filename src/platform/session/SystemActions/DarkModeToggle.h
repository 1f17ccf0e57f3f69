#pragma once

namespace vellaro {

// Switches the desktop between its dark and light style through GNOME's
// interface settings (read fresh each time, so a change made elsewhere counts).
class DarkModeToggle {
public:
    // color-scheme "prefer-dark" <-> "default"; the GTK theme follows only
    // between Adwaita and Adwaita-dark. False, logged, when the settings are
    // missing or cannot be written.
    static bool toggle();
};

} // namespace vellaro
