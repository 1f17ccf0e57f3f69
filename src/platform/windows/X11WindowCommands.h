#pragma once

#include "platform/windows/X11Atoms.h"

#include <QPoint>
#include <QSize>
#include <array>
#include <cstdint>

struct xcb_connection_t;

namespace vellaro {

// Asks the window manager to act on client windows, as a pager does. The
// requests are sent without waiting for an answer; errors for windows that
// vanished meanwhile arrive as events the caller drops.
class X11WindowCommands {
public:
    X11WindowCommands(xcb_connection_t* connection, std::uint32_t root, const X11Atoms& atoms);

    // _NET_ACTIVE_WINDOW with source indication 2 (a pager).
    void activate(std::uint32_t window) const;
    // WM_CHANGE_STATE to IconicState.
    void iconify(std::uint32_t window) const;
    // Maps an iconic window: the window manager shows it again.
    void map(std::uint32_t window) const;
    // _NET_CLOSE_WINDOW with source indication 2.
    void close(std::uint32_t window) const;
    // _NET_WM_STATE: removes up to two states (0 for none) with source 2.
    void removeStates(std::uint32_t window, std::uint32_t first, std::uint32_t second) const;
    // _NET_MOVERESIZE_WINDOW with NorthWest gravity and source 2: the outer
    // frame's top-left corner goes to `frameOrigin`, the client gets `clientSize`.
    void moveResize(std::uint32_t window, QPoint frameOrigin, QSize clientSize) const;

private:
    void sendToRoot(std::uint32_t window, std::uint32_t type,
                    const std::array<std::uint32_t, 5>& data) const;

    xcb_connection_t* connection_;
    std::uint32_t root_;
    const X11Atoms& atoms_;
};

} // namespace vellaro
