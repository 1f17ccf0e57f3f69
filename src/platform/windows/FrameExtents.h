#pragma once

#include <QRect>
#include <QSize>

namespace vellaro {

// How far a window manager's frame (title bar, borders) reaches beyond a
// client window on each side, in pixels.
struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    // The outer frame around a client window at `client`.
    QRect around(const QRect& client) const;
    // The client size that fills an outer frame of `frame`; never below 1 x 1,
    // which X cannot show.
    QSize clientSizeIn(const QSize& frame) const;

    friend bool operator==(const FrameExtents&, const FrameExtents&) = default;
};

} // namespace vellaro
