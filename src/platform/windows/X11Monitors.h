#pragma once

#include "platform/windows/Monitor.h"
#include "platform/windows/X11Atoms.h"

#include <QList>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace vellaro {

// Reads the monitors of one X screen: RandR 1.5 monitors in root pixels,
// primary first, each with its part of the current desktop's _NET_WORKAREA.
// A server without RandR 1.5 shows one monitor, the whole screen.
class X11Monitors {
public:
    X11Monitors(xcb_connection_t* connection, std::uint32_t root, const X11Atoms& atoms);

    QList<Monitor> read();

private:
    bool hasMonitorList();

    xcb_connection_t* connection_;
    std::uint32_t root_;
    const X11Atoms& atoms_;
    std::optional<bool> monitorList_; // asked once per connection
};

} // namespace vellaro
