#pragma once

#include <array>
#include <cstdint>

struct xcb_connection_t;

namespace vellaro {

// The window-manager atoms the window readers and commands use, interned
// once per X connection in one batch.
class X11Atoms {
public:
    enum Name {
        NetClientList,
        NetClientListStacking,
        NetActiveWindow,
        NetCloseWindow,
        NetWmPid,
        GtkApplicationId,
        KdeNetWmDesktopFile,
        Utf8String,
        WmProtocols,
        WmDeleteWindow,
        WmChangeState,
        WmState,
        NetWmName,
        NetWmWindowType,
        NetWmWindowTypeNormal,
        NetWmWindowTypeDialog,
        NetWmState,
        NetWmStateSkipTaskbar,
        NetWmStateMaximizedVert,
        NetWmStateMaximizedHorz,
        NetWmStateFullscreen,
        NetFrameExtents,
        NetMoveResizeWindow,
        NetWorkarea,
        NetCurrentDesktop,
        Count
    };

    explicit X11Atoms(xcb_connection_t* connection);

    // False when the connection failed or an atom could not be interned.
    bool isValid() const { return valid_; }
    std::uint32_t operator[](Name name) const { return atoms_[name]; }

private:
    std::array<std::uint32_t, Count> atoms_{};
    bool valid_ = false;
};

} // namespace vellaro
