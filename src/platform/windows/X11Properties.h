#pragma once

#include "platform/windows/X11Reply.h"

#include <QByteArray>
#include <cstdint>
#include <vector>
#include <xcb/xcb.h>

namespace vellaro {

// Asks for a whole window property of `type` (XCB_ATOM_ANY for any).
xcb_get_property_cookie_t askProperty(xcb_connection_t* connection, std::uint32_t window,
                                      std::uint32_t property, std::uint32_t type);
X11Reply<xcb_get_property_reply_t> propertyReply(xcb_connection_t* connection,
                                                 xcb_get_property_cookie_t cookie);

// The 32-bit values of a property; empty when unset or of another format.
std::vector<std::uint32_t> propertyCardinals(const X11Reply<xcb_get_property_reply_t>& reply);
// The bytes of an 8-bit property; empty when unset or of another format.
QByteArray propertyBytes(const X11Reply<xcb_get_property_reply_t>& reply);

} // namespace vellaro
