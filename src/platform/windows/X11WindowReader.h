#pragma once

#include "platform/windows/FrameExtents.h"
#include "platform/windows/X11Atoms.h"

#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

struct xcb_connection_t;

namespace vellaro {

// Reads the window manager's client lists and the properties of client
// windows over a given X connection. Requests for many windows go out in
// one batch before the first reply is read. A window that vanished reads as
// empty.
class X11WindowReader {
public:
    // What a client window tells about the program that owns it.
    struct OwnerProperties {
        QString gtkApplicationId; // _GTK_APPLICATION_ID
        QString kdeDesktopFile;   // _KDE_NET_WM_DESKTOP_FILE
        QString wmInstance;       // WM_CLASS, first part
        QString wmClass;          // WM_CLASS, second part
        std::uint32_t pid = 0;    // _NET_WM_PID, 0 when unset
    };

    // Everything a walk needs to know about one client window.
    struct ClientProperties {
        QString title;                     // _NET_WM_NAME, else WM_NAME; empty when untitled
        OwnerProperties owner;             // pid: _NET_WM_PID, else X-Resource's client pid
        std::vector<std::uint32_t> types;  // _NET_WM_WINDOW_TYPE
        std::vector<std::uint32_t> states; // _NET_WM_STATE
        std::uint32_t wmState = 0;         // as wmState()
    };

    // Where a client window is and what its frame adds.
    struct Placement {
        QRect client; // the client window in root pixels
        FrameExtents extents;
        std::vector<std::uint32_t> states; // _NET_WM_STATE
    };

    X11WindowReader(xcb_connection_t* connection, std::uint32_t root, const X11Atoms& atoms);

    // _NET_CLIENT_LIST, in the order the window manager keeps it.
    std::vector<std::uint32_t> clientList() const;
    // _NET_CLIENT_LIST_STACKING, bottom to top.
    std::vector<std::uint32_t> stackingList() const;
    // _NET_ACTIVE_WINDOW, 0 when none.
    std::uint32_t activeWindow() const;
    // _NET_ACTIVE_WINDOW when it is in _NET_CLIENT_LIST, else 0: window
    // managers may leave the id of a window that is gone.
    std::uint32_t listedActiveWindow() const;

    std::vector<OwnerProperties> ownerProperties(const std::vector<std::uint32_t>& windows) const;
    std::vector<ClientProperties> clientProperties(const std::vector<std::uint32_t>& windows) const;
    // None for a window that is gone.
    std::vector<std::optional<Placement>>
    placements(const std::vector<std::uint32_t>& windows) const;

    // Whether WM_PROTOCOLS of the window lists WM_DELETE_WINDOW.
    bool acceptsDelete(std::uint32_t window) const;

    // WM_STATE's state field (1 normal, 3 iconic), 0 when unset.
    std::uint32_t wmState(std::uint32_t window) const;

private:
    struct OwnerCookies;
    OwnerCookies askOwner(std::uint32_t window) const;
    OwnerProperties readOwner(const OwnerCookies& cookies) const;
    std::vector<std::uint32_t> windowList(std::uint32_t property) const;

    xcb_connection_t* connection_;
    std::uint32_t root_;
    const X11Atoms& atoms_;
};

} // namespace vellaro
