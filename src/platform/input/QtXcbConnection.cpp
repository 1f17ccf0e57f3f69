#include "platform/input/QtXcbConnection.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

namespace vellaro {

xcb_connection_t* QtXcbConnection::connection() {
    auto* app = qGuiApp;
    if (!app)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

std::uint32_t QtXcbConnection::rootWindow(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

} // namespace vellaro
