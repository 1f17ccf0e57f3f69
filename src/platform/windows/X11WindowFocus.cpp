#include "platform/windows/X11WindowFocus.h"

#include "platform/windows/X11Atoms.h"
#include "platform/windows/X11WindowCommands.h"
#include "platform/windows/X11WindowReader.h"

#include <QByteArray>
#include <algorithm>
#include <xcb/xcb.h>

namespace vellaro {

X11WindowFocus::X11WindowFocus(const QString& displayName) {
    const QByteArray display = displayName.toLocal8Bit();
    int screenNumber = 0;
    connection_ = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber);
    if (xcb_connection_has_error(connection_))
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem)
        return;
    atoms_ = std::make_unique<X11Atoms>(connection_);
    if (!atoms_->isValid())
        return;
    const xcb_window_t root = screens.data->root;
    reader_ = std::make_unique<X11WindowReader>(connection_, root, *atoms_);
    commands_ = std::make_unique<X11WindowCommands>(connection_, root, *atoms_);
}

X11WindowFocus::~X11WindowFocus() {
    commands_.reset();
    reader_.reset();
    atoms_.reset();
    if (connection_)
        xcb_disconnect(connection_);
}

X11WindowFocus& X11WindowFocus::shared() {
    static auto* focus = new X11WindowFocus;
    return *focus;
}

WindowFocus::WindowId X11WindowFocus::activeWindow() {
    return reader_ ? reader_->activeWindow() : 0;
}

bool X11WindowFocus::exists(WindowId window) {
    if (!reader_ || window == 0)
        return false;
    const std::vector<std::uint32_t> clients = reader_->clientList();
    return std::find(clients.begin(), clients.end(), window) != clients.end();
}

void X11WindowFocus::activate(WindowId window) {
    if (commands_ && window != 0)
        commands_->activate(window);
}

} // namespace vellaro
