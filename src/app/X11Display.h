#pragma once

#include <QString>

namespace vellaro {

// The X display the program runs on, as far as it matters before Qt starts.
class X11Display {
public:
    // One name per X server: "host:N", the host empty for a local server;
    // the screen and the "unix" host (another spelling of local) dropped.
    // ":0", ":0.0", "unix:0" and "unix:0.1" all give ":0".
    static QString normalizedName(const QString& display);

    // Whether Qt will need an X display and none can be opened.
    static bool neededButMissing();
};

} // namespace vellaro
