#include "platform/layers/AlignedImage.h"

#include <QPainter>
#include <cmath>

namespace vellaro {

void drawImageAtDevicePixel(QPainter& painter, QPoint devicePixel, const QImage& image) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    painter.save();
    // Undo the device's scaling so that the raster engine sees no transform
    // and takes its plain blending path (the smooth hint would send even an
    // unscaled copy down the slow, thread-pooled one).
    painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (image.devicePixelRatio() == 1.0) {
        painter.drawImage(devicePixel, image);
    } else {
        QImage pixels = image; // changing the ratio copies the pixels: avoid it
        pixels.setDevicePixelRatio(1.0);
        painter.drawImage(devicePixel, pixels);
    }
    painter.restore();
}

std::optional<QRect> coveringPixels(const QRectF& rect, int limit) {
    const double bound = limit;
    if (!(std::abs(rect.left()) <= bound && std::abs(rect.right()) <= bound &&
          std::abs(rect.top()) <= bound && std::abs(rect.bottom()) <= bound))
        return std::nullopt;
    return rect.toAlignedRect();
}

void drawImageAligned(QPainter& painter, const QRectF& rect, const QImage& image) {
    if (image.isNull() || rect.isEmpty())
        return;
    const QTransform& world = painter.worldTransform();
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (world.type() <= QTransform::TxTranslate) {
        const QPointF origin = world.map(rect.topLeft()) * ratio;
        const QSizeF size = rect.size() * ratio;
        if (std::abs(size.width() - image.width()) < 0.01 &&
            std::abs(size.height() - image.height()) < 0.01) {
            drawImageAtDevicePixel(
                painter, QPoint(int(std::lround(origin.x())), int(std::lround(origin.y()))), image);
            return;
        }
    }
    painter.drawImage(rect, image);
}

} // namespace vellaro
