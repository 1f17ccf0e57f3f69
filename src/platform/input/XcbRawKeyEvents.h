#pragma once

#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace vellaro {

// XInput 2 raw key releases on the root window. They reach the client whoever
// has the focus or a grab, so a key-up is seen even when the core event goes
// to another client. Watched only on request: nobody's typing needs to wake us.
class XcbRawKeyEvents {
public:
    XcbRawKeyEvents(xcb_connection_t* connection, std::uint32_t root);
    ~XcbRawKeyEvents();
    XcbRawKeyEvents(const XcbRawKeyEvents&) = delete;
    XcbRawKeyEvents& operator=(const XcbRawKeyEvents&) = delete;

    void watch(bool on);

    // The keycode when `event` (an xcb_generic_event_t) is a raw key release,
    // else empty.
    std::optional<std::uint8_t> releasedKeycode(const void* event) const;

private:
    xcb_connection_t* connection_;
    std::uint32_t root_;
    std::uint8_t opcode_ = 0; // 0: no XInput 2
    bool watching_ = false;
};

} // namespace vellaro
