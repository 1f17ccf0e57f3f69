#include "platform/windows/X11Atoms.h"

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace vellaro {

namespace {
constexpr std::array<const char*, X11Atoms::Count> names = {"_NET_CLIENT_LIST",
                                                            "_NET_CLIENT_LIST_STACKING",
                                                            "_NET_ACTIVE_WINDOW",
                                                            "_NET_CLOSE_WINDOW",
                                                            "_NET_WM_PID",
                                                            "_GTK_APPLICATION_ID",
                                                            "_KDE_NET_WM_DESKTOP_FILE",
                                                            "UTF8_STRING",
                                                            "WM_PROTOCOLS",
                                                            "WM_DELETE_WINDOW",
                                                            "WM_CHANGE_STATE",
                                                            "WM_STATE",
                                                            "_NET_WM_NAME",
                                                            "_NET_WM_WINDOW_TYPE",
                                                            "_NET_WM_WINDOW_TYPE_NORMAL",
                                                            "_NET_WM_WINDOW_TYPE_DIALOG",
                                                            "_NET_WM_STATE",
                                                            "_NET_WM_STATE_SKIP_TASKBAR",
                                                            "_NET_WM_STATE_MAXIMIZED_VERT",
                                                            "_NET_WM_STATE_MAXIMIZED_HORZ",
                                                            "_NET_WM_STATE_FULLSCREEN",
                                                            "_NET_FRAME_EXTENTS",
                                                            "_NET_MOVERESIZE_WINDOW",
                                                            "_NET_WORKAREA",
                                                            "_NET_CURRENT_DESKTOP"};
} // namespace

X11Atoms::X11Atoms(xcb_connection_t* connection) {
    if (!connection || xcb_connection_has_error(connection))
        return;
    std::array<xcb_intern_atom_cookie_t, Count> cookies{};
    for (std::size_t i = 0; i < Count; ++i)
        cookies[i] = xcb_intern_atom(connection, 0,
                                     static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    valid_ = true;
    for (std::size_t i = 0; i < Count; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
        valid_ = valid_ && reply && reply->atom != XCB_ATOM_NONE;
        atoms_[i] = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
        std::free(reply);
    }
}

} // namespace vellaro
