#include "workspaces/WindowTargets.h"

#include <algorithm>

namespace vellaro {
namespace {

qint64 overlapArea(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

} // namespace

QRect centredTarget(const QRect& visible, const QRect& frame) {
    const int width = std::max(1, std::min(visible.width(), frame.width()));
    const int height = std::max(1, std::min(visible.height(), frame.height()));
    return {visible.x() + (visible.width() - width) / 2,
            visible.y() + (visible.height() - height) / 2, width, height};
}

QRect layoutTarget(WindowLayout layout, const QRect& visible, const QRect& frame) {
    const int height = std::max(1, visible.height());
    const int leftWidth = std::max(1, visible.width() / 2);
    switch (layout) {
    case WindowLayout::leftHalf:
        return {visible.x(), visible.y(), leftWidth, height};
    case WindowLayout::rightHalf:
        return {visible.x() + visible.width() / 2, visible.y(),
                std::max(1, visible.width() - visible.width() / 2), height};
    case WindowLayout::maximize:
        return {visible.x(), visible.y(), std::max(1, visible.width()), height};
    case WindowLayout::center:
        return centredTarget(visible, frame);
    }
    return frame;
}

std::optional<qsizetype> monitorIndexFor(const QRect& frame, const QList<Monitor>& monitors,
                                         std::optional<qsizetype> mainIndex) {
    if (monitors.isEmpty())
        return mainIndex;
    qsizetype best = 0;
    for (qsizetype i = 1; i < monitors.size(); ++i) {
        if (overlapArea(frame, monitors[i].frame) > overlapArea(frame, monitors[best].frame))
            best = i;
    }
    if (overlapArea(frame, monitors[best].frame) > 0)
        return best;
    return mainIndex;
}

std::optional<QRect> nextDisplayTarget(const QRect& frame, const QList<Monitor>& monitors,
                                       std::optional<qsizetype> mainIndex) {
    if (monitors.size() < 2)
        return std::nullopt;
    const auto current = monitorIndexFor(frame, monitors, mainIndex);
    if (!current || *current < 0 || *current >= monitors.size())
        return std::nullopt;
    const Monitor& next = monitors[(*current + 1) % monitors.size()];
    return centredTarget(next.visibleFrame, frame);
}

} // namespace vellaro
