#pragma once

#include <cstdlib>
#include <memory>
#include <type_traits>
#include <xcb/xcb.h>

namespace vellaro {

struct X11FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

template <typename T>
using X11Reply = std::unique_ptr<T, X11FreeReply>;

// Collects the reply to `cookie` with `collect` (an xcb_*_reply function).
// An error, typically a window that vanished, is dropped here: left to xcb it
// would reach the connection's event queue, and Qt's log on Qt's connection.
template <typename Collect, typename Cookie>
auto x11Reply(Collect collect, xcb_connection_t* connection, Cookie cookie) {
    using Reply = std::remove_pointer_t<
        std::invoke_result_t<Collect, xcb_connection_t*, Cookie, xcb_generic_error_t**>>;
    xcb_generic_error_t* error = nullptr;
    X11Reply<Reply> reply(collect(connection, cookie, &error));
    std::free(error);
    return reply;
}

} // namespace vellaro
