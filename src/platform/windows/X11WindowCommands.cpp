#include "platform/windows/X11WindowCommands.h"

#include <xcb/xcb.h>

namespace vellaro {

namespace {
constexpr std::uint32_t sourcePager = 2;
constexpr std::uint32_t iconicState = 3;
} // namespace

X11WindowCommands::X11WindowCommands(xcb_connection_t* connection, std::uint32_t root,
                                     const X11Atoms& atoms)
    : connection_(connection), root_(root), atoms_(atoms) {}

void X11WindowCommands::sendToRoot(std::uint32_t window, std::uint32_t type,
                                   std::uint32_t first) const {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    message.data.data32[0] = first;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

void X11WindowCommands::activate(std::uint32_t window) const {
    sendToRoot(window, atoms_[X11Atoms::NetActiveWindow], sourcePager);
}

void X11WindowCommands::iconify(std::uint32_t window) const {
    sendToRoot(window, atoms_[X11Atoms::WmChangeState], iconicState);
}

void X11WindowCommands::close(std::uint32_t window) const {
    sendToRoot(window, atoms_[X11Atoms::NetCloseWindow], sourcePager);
}

} // namespace vellaro
