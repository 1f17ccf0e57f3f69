#pragma once

#include <QImage>
#include <QRect>

class QScreen;

namespace vellaro {

// The picture of `area` (device-independent screen coordinates) of
// `screen`, premultiplied ARGB32. On X11 it is one GetImage of the root on
// Qt's connection whose reply becomes the image's pixels, with no
// conversion pass; parts outside the root are black. Elsewhere, or when
// the server's format is not 32-bit pixels in this machine's byte order,
// Qt's own screen grab. Null when no picture can be had.
QImage grabScreenArea(QScreen* screen, const QRect& area);

} // namespace vellaro
