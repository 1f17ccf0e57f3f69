#include "ui/GtkThemeVariant.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

namespace vellaro {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

} // namespace

void setGtkThemeVariant(QWidget& window, ColorScheme scheme) {
    // The offscreen platform answers the X11 interface too, without a connection.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.windowHandle())
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    static const xcb_atom_t variant = atom(connection, "_GTK_THEME_VARIANT");
    static const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    if (variant == XCB_ATOM_NONE || utf8 == XCB_ATOM_NONE)
        return;
    const QByteArray value = scheme == ColorScheme::dark ? "dark" : "light";
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), variant,
                        utf8, 8, uint32_t(value.size()), value.constData());
    xcb_flush(connection);
}

} // namespace vellaro
