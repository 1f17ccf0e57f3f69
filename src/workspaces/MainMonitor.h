#pragma once

#include <QRect>

namespace vellaro {

class WindowSystem;

// The usable area of the monitor the user works on: the one the active
// window overlaps most, else the one under the pointer, else the first.
// Empty without monitors.
QRect mainMonitorVisibleFrame(WindowSystem& windows);

} // namespace vellaro
