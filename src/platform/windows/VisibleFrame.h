#pragma once

#include <QRect>
#include <optional>

namespace vellaro {

// The part of a monitor windows may use: the monitor within the current
// desktop's work area (which leaves out what docks reserve). Without a work
// area, or one that misses the monitor, the whole monitor.
QRect visibleFrame(const QRect& monitor, const std::optional<QRect>& workArea);

} // namespace vellaro
