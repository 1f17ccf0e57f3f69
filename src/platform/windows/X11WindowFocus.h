#pragma once

#include "platform/windows/WindowFocus.h"

#include <QString>
#include <memory>

struct xcb_connection_t;

namespace vellaro {

class X11Atoms;
class X11WindowCommands;
class X11WindowReader;

// WindowFocus through the window manager: _NET_ACTIVE_WINDOW is read from
// the root window and activation is asked for as a pager does. On its own X
// connection; without a display nothing is active and nothing is activated.
class X11WindowFocus final : public WindowFocus {
public:
    explicit X11WindowFocus(const QString& displayName = {});
    ~X11WindowFocus() override;

    static X11WindowFocus& shared();

    WindowId activeWindow() override;
    bool exists(WindowId window) override;
    void activate(WindowId window) override;

private:
    xcb_connection_t* connection_ = nullptr;
    std::unique_ptr<X11Atoms> atoms_;
    std::unique_ptr<X11WindowReader> reader_;
    std::unique_ptr<X11WindowCommands> commands_;
};

} // namespace vellaro
