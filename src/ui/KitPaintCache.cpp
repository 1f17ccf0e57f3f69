#include "ui/KitPaintCache.h"

#include "platform/layers/AlignedImage.h"

#include <QPainter>
#include <QWidget>

namespace vellaro {

void KitPaintCache::paint(QWidget& widget, const Pal& pal, const QString& state,
                          const std::function<void(QPainter&)>& draw) {
    const qreal ratio = widget.devicePixelRatioF();
    const QSize pixels = (QSizeF(widget.size()) * ratio).toSize();
    if (image_.isNull() || image_.size() != pixels || image_.devicePixelRatio() != ratio ||
        pal_ != pal || state_ != state) {
        image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        image_.setDevicePixelRatio(ratio);
        image_.fill(Qt::transparent);
        QPainter painter(&image_);
        draw(painter);
        pal_ = pal;
        state_ = state;
    }
    if (image_.isNull())
        return;
    QPainter painter(&widget);
    drawImageAtDevicePixel(painter, QPoint(0, 0), image_);
}

} // namespace vellaro
