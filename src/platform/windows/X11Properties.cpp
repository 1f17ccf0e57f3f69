#include "platform/windows/X11Properties.h"

namespace vellaro {

namespace {
// The longest property read, in 32-bit units: far more than any client list
// or name a window carries.
constexpr std::uint32_t maxLength = 1 << 16;
} // namespace

xcb_get_property_cookie_t askProperty(xcb_connection_t* connection, std::uint32_t window,
                                      std::uint32_t property, std::uint32_t type) {
    return xcb_get_property(connection, 0, window, property, type, 0, maxLength);
}

X11Reply<xcb_get_property_reply_t> propertyReply(xcb_connection_t* connection,
                                                 xcb_get_property_cookie_t cookie) {
    return x11Reply(xcb_get_property_reply, connection, cookie);
}

std::vector<std::uint32_t> propertyCardinals(const X11Reply<xcb_get_property_reply_t>& reply) {
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::vector<std::uint32_t>(values, values + count);
}

QByteArray propertyBytes(const X11Reply<xcb_get_property_reply_t>& reply) {
    if (!reply || reply->format != 8)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

} // namespace vellaro
