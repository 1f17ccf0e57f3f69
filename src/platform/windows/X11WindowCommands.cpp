#include "platform/windows/X11WindowCommands.h"

#include <xcb/xcb.h>

namespace vellaro {

namespace {
constexpr std::uint32_t sourcePager = 2;
constexpr std::uint32_t iconicState = 3;
constexpr std::uint32_t stateRemove = 0;
constexpr std::uint32_t northWestGravity = 1;
constexpr std::uint32_t moveResizeXYWH = 0xf << 8;
constexpr std::uint32_t moveResizeSourceShift = 12;
} // namespace

X11WindowCommands::X11WindowCommands(xcb_connection_t* connection, std::uint32_t root,
                                     const X11Atoms& atoms)
    : connection_(connection), root_(root), atoms_(atoms) {}

void X11WindowCommands::sendToRoot(std::uint32_t window, std::uint32_t type,
                                   const std::array<std::uint32_t, 5>& data) const {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    for (std::size_t i = 0; i < data.size(); ++i)
        message.data.data32[i] = data[i];
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

void X11WindowCommands::activate(std::uint32_t window) const {
    sendToRoot(window, atoms_[X11Atoms::NetActiveWindow], {sourcePager, XCB_CURRENT_TIME});
}

void X11WindowCommands::iconify(std::uint32_t window) const {
    sendToRoot(window, atoms_[X11Atoms::WmChangeState], {iconicState});
}

void X11WindowCommands::map(std::uint32_t window) const {
    xcb_map_window(connection_, window);
    xcb_flush(connection_);
}

void X11WindowCommands::close(std::uint32_t window) const {
    sendToRoot(window, atoms_[X11Atoms::NetCloseWindow], {sourcePager, XCB_CURRENT_TIME});
}

void X11WindowCommands::removeStates(std::uint32_t window, std::uint32_t first,
                                     std::uint32_t second) const {
    sendToRoot(window, atoms_[X11Atoms::NetWmState], {stateRemove, first, second, sourcePager});
}

void X11WindowCommands::moveResize(std::uint32_t window, QPoint frameOrigin,
                                   QSize clientSize) const {
    const std::uint32_t flags =
        northWestGravity | moveResizeXYWH | (sourcePager << moveResizeSourceShift);
    // The coordinates are signed on the wire: a frame left of or above the
    // root's origin is legal on multi-monitor layouts.
    sendToRoot(window, atoms_[X11Atoms::NetMoveResizeWindow],
               {flags, static_cast<std::uint32_t>(frameOrigin.x()),
                static_cast<std::uint32_t>(frameOrigin.y()),
                static_cast<std::uint32_t>(clientSize.width()),
                static_cast<std::uint32_t>(clientSize.height())});
}

} // namespace vellaro
