#include "app/X11Display.h"

#include <xcb/xcb.h>

namespace vellaro {

QString X11Display::normalizedName(const QString& display) {
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return display;
    QString host = display.left(colon);
    if (host == QStringLiteral("unix"))
        host.clear();
    QString number = display.mid(colon + 1);
    const qsizetype dot = number.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        number.truncate(dot);
    return host + QLatin1Char(':') + number;
}

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
