#pragma once

#include <QRect>

namespace vellaro {

// The usable area (without panels and docks) of the screen under the
// pointer, else of the primary screen; empty without screens.
QRect pointerScreenVisibleFrame();

} // namespace vellaro
