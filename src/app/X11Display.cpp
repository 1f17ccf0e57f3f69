#include "app/X11Display.h"

#include <xcb/xcb.h>

namespace vellaro {

bool X11Display::neededButMissing() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(QStringLiteral("xcb")))
        return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool missing = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    return missing;
}

} // namespace vellaro
