#pragma once

namespace vellaro {

class WindowAccess;
class WindowSystem;

// The program's window access over the X display, with applications named
// by AppIdentity and their desktop entries from the catalog. Made on first
// use; without a display it sees no windows.
//
// On Qt's connection: main thread only.
const WindowAccess& desktopWindowAccess();
// On a connection of its own, for the walks on the worker thread.
const WindowAccess& desktopWalkAccess();
// On a window system the caller owns (a tool's own connection).
WindowAccess desktopWindowAccessOn(WindowSystem& windows);

} // namespace vellaro
