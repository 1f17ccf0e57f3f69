#include "platform/windows/CompositingManager.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace vellaro {

namespace {

// The X screen number of DISPLAY (":0.1" is screen 1).
int displayScreenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const int colon = display.lastIndexOf(':');
    const int dot = display.indexOf('.', colon < 0 ? 0 : colon);
    if (dot < 0)
        return 0;
    bool ok = false;
    const int screen = display.mid(dot + 1).toInt(&ok);
    return ok ? screen : 0;
}

} // namespace

bool compositingManagerPresent() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(displayScreenNumber());
    const auto atomCookie = xcb_intern_atom(connection, 1, name.size(), name.constData());
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

} // namespace vellaro
