#pragma once

#include <cstdint>

struct xcb_connection_t;

namespace vellaro {

// Qt's own X connection: events for grabs made on it reach Qt's native event
// filters. Null when the application does not run on the xcb platform.
class QtXcbConnection {
public:
    static xcb_connection_t* connection();

    // The root window of the connection's first screen.
    static std::uint32_t rootWindow(xcb_connection_t* connection);
};

} // namespace vellaro
