#pragma once

#include "platform/windows/Monitor.h"
#include "workspaces/WindowLayout.h"

#include <QList>
#include <QRect>
#include <optional>

namespace vellaro {

// Where a snap puts a window with frame `frame` inside the visible frame
// `visible`. Halves tile on whole pixels; no result is ever narrower or
// lower than one pixel.
QRect layoutTarget(WindowLayout layout, const QRect& visible, const QRect& frame);

// The frame centred in `visible`, shrunk only in a dimension that does not fit.
QRect centredTarget(const QRect& visible, const QRect& frame);

// The index of the monitor the frame overlaps most (ties keep the earlier
// monitor); `mainIndex` when it overlaps none or there are no monitors.
std::optional<qsizetype> monitorIndexFor(const QRect& frame, const QList<Monitor>& monitors,
                                         std::optional<qsizetype> mainIndex);

// The target of moving a window to the monitor after the one it is on,
// wrapping from the last to the first; none with fewer than two monitors or
// when the window is on no monitor.
std::optional<QRect> nextDisplayTarget(const QRect& frame, const QList<Monitor>& monitors,
                                       std::optional<qsizetype> mainIndex);

} // namespace vellaro
