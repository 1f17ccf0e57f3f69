#pragma once

#include "platform/windows/X11Atoms.h"

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
    // _NET_CLOSE_WINDOW with source indication 2.
    void close(std::uint32_t window) const;

private:
    void sendToRoot(std::uint32_t window, std::uint32_t type, std::uint32_t first) const;

    xcb_connection_t* connection_;
    std::uint32_t root_;
    const X11Atoms& atoms_;
};

} // namespace vellaro
