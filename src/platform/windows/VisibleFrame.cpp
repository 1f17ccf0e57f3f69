#include "platform/windows/VisibleFrame.h"

namespace vellaro {

QRect visibleFrame(const QRect& monitor, const std::optional<QRect>& workArea) {
    if (!workArea)
        return monitor;
    const QRect visible = monitor.intersected(*workArea);
    return visible.isEmpty() ? monitor : visible;
}

} // namespace vellaro
