#include "support/XcbDockWindow.h"

#include "support/XcbAtom.h"

#include <array>
#include <cstdlib>
#include <stdexcept>

namespace vellaro::test {

XcbDockWindow::XcbDockWindow(int height) {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        throw std::runtime_error("no X display");
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const std::uint32_t width = screen->width_in_pixels;
    window_ = xcb_generate_id(connection_);
    const std::uint32_t background[] = {screen->black_pixel};
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0,
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
                      background);

    const std::uint32_t dock = internAtom(connection_, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_,
                        internAtom(connection_, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1,
                        &dock);
    // left, right, top, bottom, then the start and end of each edge's span.
    const std::array<std::uint32_t, 12> strut = {
        0, 0, static_cast<std::uint32_t>(height), 0, 0, 0, 0, 0, 0, width - 1, 0, 0};
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_,
                        internAtom(connection_, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, 32,
                        static_cast<std::uint32_t>(strut.size()), strut.data());
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_,
                        internAtom(connection_, "_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 32, 4,
                        strut.data());
    const char name[] = "Vellaro Test Dock";
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, sizeof name - 1, name);
    xcb_map_window(connection_, window_);
    xcb_flush(connection_);
}

XcbDockWindow::~XcbDockWindow() {
    xcb_destroy_window(connection_, window_);
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    xcb_disconnect(connection_);
}

} // namespace vellaro::test
