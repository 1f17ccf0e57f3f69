#pragma once

#include <QImage>

namespace vellaro {

// A premultiplied image of the colour `fill` where `fillCoverage` covers,
// with `stroke` over it where `strokeCoverage` covers. Either coverage may be
// null (nothing of that colour); a non-null one must have the image's size.
QImage tintCoverage(QSize size, const QImage& fillCoverage, QRgb fill,
                    const QImage& strokeCoverage = {}, QRgb stroke = 0);

} // namespace vellaro
