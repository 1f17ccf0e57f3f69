#pragma once

#include "workspaces/WindowAccess.h"

namespace vellaro {

// The program's window access: the X window system on Qt's connection,
// applications named by their desktop entries. Main thread only.
WindowAccess& desktopWindowAccess();

// The same on another window system, such as one on a worker thread's own
// connection.
WindowAccess desktopWindowAccess(WindowSystem& windows);

} // namespace vellaro
