#include "platform/apps/RunningAppsWindowFocus.h"

#include "platform/apps/X11RunningApps.h"

namespace vellaro {

RunningAppsWindowFocus& RunningAppsWindowFocus::shared() {
    static auto* focus = new RunningAppsWindowFocus(X11RunningApps::shared());
    return *focus;
}

WindowFocus::WindowId RunningAppsWindowFocus::activeWindow() {
    return apps_.activeWindow();
}

bool RunningAppsWindowFocus::exists(WindowId window) {
    return window != 0 && apps_.hasWindow(window);
}

void RunningAppsWindowFocus::activate(WindowId window) {
    apps_.activateWindow(window);
}

} // namespace vellaro
