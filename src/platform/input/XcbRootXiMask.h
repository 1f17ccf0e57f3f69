#pragma once

#include <cstdint>

struct xcb_connection_t;

namespace vellaro {

// The XInput 2 event mask selected on the root window for the master
// devices. It is one entry shared with Qt and our other watchers, so each
// change re-reads it and touches only its own bits.
class XcbRootXiMask {
public:
    // False when the server has no XInput 2 or the mask cannot be read.
    static bool change(xcb_connection_t* connection, std::uint32_t root, std::uint32_t bits,
                       bool on);
};

} // namespace vellaro
