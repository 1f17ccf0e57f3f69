#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace vellaro::test {

// The atom of `name` on `connection`, interned if new; XCB_ATOM_NONE on failure.
inline std::uint32_t internAtom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const std::uint32_t atom = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

} // namespace vellaro::test
