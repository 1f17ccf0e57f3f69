#pragma once

#include <cstdint>
#include <xcb/xcb.h>

namespace vellaro::test {

// A panel of another program along the top edge of the screen: a dock window
// on its own X connection that reserves `height` pixels with
// _NET_WM_STRUT_PARTIAL, as desktop panels do. Gone with this object.
class XcbDockWindow {
public:
    explicit XcbDockWindow(int height);
    ~XcbDockWindow();
    XcbDockWindow(const XcbDockWindow&) = delete;
    XcbDockWindow& operator=(const XcbDockWindow&) = delete;

    xcb_window_t window() const { return window_; }

private:
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t window_ = 0;
};

} // namespace vellaro::test
