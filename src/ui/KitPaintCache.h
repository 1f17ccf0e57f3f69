#pragma once

#include "model/Pal.h"

#include <QImage>
#include <QString>
#include <functional>

class QPainter;
class QWidget;

namespace vellaro {

// A kit widget's drawing kept as an image of its device pixels. The drawing
// runs again only when the palette, the widget's own state text, its size or
// its pixel ratio change; otherwise the image is copied unscaled, which the
// raster engine blends in one pass instead of handing every tall
// anti-aliased fill to its thread pool.
class KitPaintCache {
public:
    void paint(QWidget& widget, const Pal& pal, const QString& state,
               const std::function<void(QPainter&)>& draw);

private:
    QImage image_;
    Pal pal_;
    QString state_;
};

} // namespace vellaro
