#include "workspaces/MainMonitor.h"

#include "platform/windows/WindowSystem.h"
#include "workspaces/WindowTargets.h"

namespace vellaro {

QRect mainMonitorVisibleFrame(WindowSystem& windows) {
    const QList<Monitor> monitors = windows.monitors();
    if (monitors.isEmpty())
        return {};
    if (const WindowId active = windows.activeWindow())
        if (const std::optional<QRect> frame = windows.frame(active))
            if (const std::optional<qsizetype> index =
                    monitorIndexFor(*frame, monitors, std::nullopt))
                return monitors[*index].visibleFrame;
    if (const std::optional<QPoint> pointer = windows.pointerPosition())
        for (const Monitor& monitor : monitors)
            if (monitor.frame.contains(*pointer))
                return monitor.visibleFrame;
    return monitors.first().visibleFrame;
}

} // namespace vellaro
