#pragma once

#include "platform/windows/WindowFocus.h"

namespace vellaro {

class X11RunningApps;

// WindowFocus from the running applications' view of the window manager:
// the active window as last announced, and activation as a pager asks it.
class RunningAppsWindowFocus final : public WindowFocus {
public:
    explicit RunningAppsWindowFocus(X11RunningApps& apps) : apps_(apps) {}

    static RunningAppsWindowFocus& shared();

    WindowId activeWindow() override;
    bool exists(WindowId window) override;
    void activate(WindowId window) override;

private:
    X11RunningApps& apps_;
};

} // namespace vellaro
