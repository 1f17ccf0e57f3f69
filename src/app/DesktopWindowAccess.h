#pragma once

#include "workspaces/WindowAccess.h"

namespace vellaro {

// The program's window access: the X window system on Qt's connection,
// applications named by their desktop entries. Main thread only.
WindowAccess& desktopWindowAccess();

} // namespace vellaro
