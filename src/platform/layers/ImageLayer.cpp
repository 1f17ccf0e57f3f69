#include "platform/layers/ImageLayer.h"

#include "platform/layers/AlignedImage.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vellaro {

void ImageLayer::setImage(const QImage& image) {
    // Premultiplied is what the raster engine blends fastest.
    image_ = image.isNull() || image.format() == QImage::Format_ARGB32_Premultiplied
                 ? image
                 : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(1.0);
    changed();
}

void ImageLayer::setContentsGravity(ContentsGravity gravity) {
    gravity_ = gravity;
    changed();
}

void ImageLayer::setContentsScale(qreal scale) {
    if (!std::isfinite(scale) || scale <= 0.0)
        return;
    contentsScale_ = scale;
    changed();
}

QRectF ImageLayer::contentsRect(const QRectF& bounds) const {
    if (image_.isNull())
        return {};
    const QSizeF natural(image_.width() / contentsScale_, image_.height() / contentsScale_);
    switch (gravity_) {
    case ContentsGravity::Resize:
        return bounds;
    case ContentsGravity::ResizeAspect:
    case ContentsGravity::ResizeAspectFill: {
        const QSizeF size = natural.scaled(bounds.size(), gravity_ == ContentsGravity::ResizeAspect
                                                              ? Qt::KeepAspectRatio
                                                              : Qt::KeepAspectRatioByExpanding);
        QRectF r(QPointF(), size);
        r.moveCenter(bounds.center());
        return r;
    }
    default:
        break;
    }
    QRectF r(QPointF(), natural);
    r.moveCenter(bounds.center());
    switch (gravity_) {
    case ContentsGravity::Top:
    case ContentsGravity::TopLeft:
    case ContentsGravity::TopRight:
        r.moveTop(bounds.top());
        break;
    case ContentsGravity::Bottom:
    case ContentsGravity::BottomLeft:
    case ContentsGravity::BottomRight:
        r.moveBottom(bounds.bottom());
        break;
    default:
        break;
    }
    switch (gravity_) {
    case ContentsGravity::Left:
    case ContentsGravity::TopLeft:
    case ContentsGravity::BottomLeft:
        r.moveLeft(bounds.left());
        break;
    case ContentsGravity::Right:
    case ContentsGravity::TopRight:
    case ContentsGravity::BottomRight:
        r.moveRight(bounds.right());
        break;
    default:
        break;
    }
    return r;
}

void ImageLayer::paintContents(QPainter& painter, const LayerValues& values, bool) const {
    const QRectF target = contentsRect(values.bounds);
    if (target.isEmpty())
        return;
    if (gravity_ == ContentsGravity::ResizeAspectFill) {
        painter.save();
        painter.setClipRect(values.bounds, Qt::IntersectClip);
        drawImageAligned(painter, target, image_);
        painter.restore();
        return;
    }
    drawImageAligned(painter, target, image_);
}

QRectF ImageLayer::contentsExtent(const LayerValues& values) const {
    const QRectF rect = contentsRect(values.bounds);
    return gravity_ == ContentsGravity::ResizeAspectFill ? rect & values.bounds : rect;
}

} // namespace vellaro
