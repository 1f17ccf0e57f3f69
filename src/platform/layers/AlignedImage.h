#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

namespace vellaro {

// Draws `image` over `rect` (the painter's current coordinates). When that
// maps the image one to one onto device pixels, give or take a fraction of a
// pixel, it is copied to the nearest whole pixel instead of resampled: sharp,
// and the raster engine's fastest path.
void drawImageAligned(QPainter& painter, const QRectF& rect, const QImage& image);

// Draws `image` with its top-left pixel at `devicePixel`, unscaled, whatever
// the painter's transform. Fastest for images whose pixel ratio is 1 (keep
// cached bitmaps that way: changing the ratio of a shared image copies it).
void drawImageAtDevicePixel(QPainter& painter, QPoint devicePixel, const QImage& image);

} // namespace vellaro
