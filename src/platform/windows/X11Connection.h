#pragma once

#include <QByteArray>
#include <cstdint>

struct xcb_connection_t;

namespace vellaro {

// An X connection with the root window of its default screen: Qt's own,
// borrowed (main thread), or one of our own, closed with this object (worker
// threads, and tools that run before any Qt application).
class X11Connection {
public:
    // Qt's connection; invalid when Qt runs without X (offscreen, Wayland).
    static X11Connection qt();
    // A new connection to `display` (empty: $DISPLAY).
    static X11Connection open(const QByteArray& display = {});

    X11Connection() = default;
    X11Connection(X11Connection&& other) noexcept;
    X11Connection& operator=(X11Connection&& other) noexcept;
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;
    ~X11Connection();

    bool isValid() const;
    xcb_connection_t* get() const { return connection_; }
    std::uint32_t root() const { return root_; }

private:
    X11Connection(xcb_connection_t* connection, int screen, bool owned);
    void close();

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    bool owned_ = false;
};

} // namespace vellaro
