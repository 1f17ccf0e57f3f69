#pragma once

#include "clipboard/ClipboardProvider.h"

#include <functional>
#include <memory>

namespace vellaro {

// The program's clipboard section: the X clipboard, the shared settings and
// scheduler, XTest for the paste shortcut, the window-access grant, the
// sealed store in the data folder, and the application of the active window
// named by its desktop entry. Main thread, once per process.
std::unique_ptr<ClipboardProvider> makeDesktopClipboardProvider(std::function<void()> showHistory);

} // namespace vellaro
