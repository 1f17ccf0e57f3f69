#pragma once

#include <QImage>
#include <QPainterPath>
#include <QTransform>

namespace vellaro {

// The anti-aliased coverage of a path as an Alpha8 image of `size` pixels:
// `toPixels` maps the path into the image. The non-zero rule gets the exact
// area of each pixel; the odd-even rule samples each pixel row on
// `rowSamples` lines with exact horizontal coverage.
// Our own scanline fill, because QPainter splits every large fill across its
// thread pool, which costs more than the fill itself for shapes this small.
QImage rasterizeCoverage(const QPainterPath& path, const QTransform& toPixels, QSize size,
                         Qt::FillRule rule, int rowSamples = 16);

} // namespace vellaro
