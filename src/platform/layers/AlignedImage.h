#pragma once

#include <QImage>
#include <QRectF>
#include <optional>

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

// The whole pixels covering `rect`, unless it is not finite or reaches more
// than `limit` pixels from the origin: bitmaps that large are not made.
std::optional<QRect> coveringPixels(const QRectF& rect, int limit = 8192);

} // namespace vellaro
