#include "platform/windows/X11Connection.h"

#include <QGuiApplication>
#include <cstdlib>
#include <utility>
#include <xcb/xcb.h>

namespace vellaro {

X11Connection X11Connection::qt() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return {};
    // Qt opens the display $DISPLAY names and uses its screen.
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (!xcb_parse_display(nullptr, &host, &display, &screen))
        screen = 0;
    std::free(host);
    return X11Connection(x11->connection(), screen, false);
}

X11Connection X11Connection::open(const QByteArray& display) {
    int screen = 0;
    xcb_connection_t* connection =
        xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screen);
    return X11Connection(connection, screen, true);
}

X11Connection::X11Connection(xcb_connection_t* connection, int screen, bool owned)
    : connection_(connection), owned_(owned) {
    if (xcb_connection_has_error(connection_))
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screen && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (screens.rem)
        root_ = screens.data->root;
}

X11Connection::X11Connection(X11Connection&& other) noexcept
    : connection_(std::exchange(other.connection_, nullptr)), root_(std::exchange(other.root_, 0)),
      owned_(std::exchange(other.owned_, false)) {}

X11Connection& X11Connection::operator=(X11Connection&& other) noexcept {
    if (this != &other) {
        close();
        connection_ = std::exchange(other.connection_, nullptr);
        root_ = std::exchange(other.root_, 0);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

X11Connection::~X11Connection() {
    close();
}

void X11Connection::close() {
    // xcb_connect returns an error object even on failure; it must be freed too.
    if (owned_ && connection_)
        xcb_disconnect(connection_);
    connection_ = nullptr;
    root_ = 0;
    owned_ = false;
}

bool X11Connection::isValid() const {
    return connection_ && !xcb_connection_has_error(connection_) && root_ != 0;
}

} // namespace vellaro
