#pragma once

#include <QRect>
#include <optional>

namespace vellaro::test {

// xterm sizes its client in whole character cells (6 x 13 pixels in the test
// session): a frame lands at the asked place, up to one cell smaller.
inline bool landedWithinACell(const std::optional<QRect>& frame, const QRect& asked) {
    return frame && frame->topLeft() == asked.topLeft() && frame->width() <= asked.width() &&
           frame->width() > asked.width() - 6 && frame->height() <= asked.height() &&
           frame->height() > asked.height() - 13;
}

} // namespace vellaro::test
