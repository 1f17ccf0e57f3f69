#include "platform/layers/LayerRenderer.h"

#include "platform/layers/AlignedImage.h"

#include <QPainter>
#include <algorithm>

namespace vellaro {

namespace {

bool shadowVisible(const LayerValues& values) {
    return values.shadowOpacity > 0.0 && values.shadowColor.alpha() > 0;
}

QPainterPath shadowShape(const Layer& layer) {
    return layer.shadowPath() ? *layer.shadowPath() : layer.fallbackShadowPath();
}

// The device's size in pixels, whatever its own notion of width is.
QRect devicePixels(const QPaintDevice& device) {
    if (device.devType() == QInternal::Image)
        return QRect(QPoint(0, 0), static_cast<const QImage&>(device).size());
    const qreal ratio = device.devicePixelRatioF();
    return QRect(0, 0, qCeil(device.width() * ratio), qCeil(device.height() * ratio));
}

} // namespace

void LayerRenderer::render(QPainter& painter, const Layer& root, Scheduler::TimePoint now) {
    shadows_.beginFrame();
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
    drawLayer(painter, root, Pass{now, 0, false});
    painter.restore();
}

QImage LayerRenderer::renderToImage(const Layer& root, QSizeF size, qreal pixelRatio,
                                    Scheduler::TimePoint now, const QColor& background) {
    if (!(pixelRatio > 0.0) || size.isEmpty() ||
        !coveringPixels(QRectF(QPointF(0, 0), size * pixelRatio), 16384))
        return {};
    QImage image((size * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(background);
    QPainter painter(&image);
    render(painter, root, now);
    return image;
}

void LayerRenderer::drawLayer(QPainter& painter, const Layer& layer, Pass pass) {
    if (layer.isHidden())
        return;
    pass.animating = pass.animating || layer.hasAnimations();
    const LayerValues values = layer.presentation(pass.now);
    const double opacity = std::clamp(values.opacity, 0.0, 1.0);
    if (opacity <= 0.0)
        return;
    painter.save();
    painter.setTransform(values.toSuperlayer(), true);
    const bool overlapping = !layer.sublayers().empty() || shadowVisible(values);
    if (layer.mask() || (opacity < 1.0 && overlapping)) {
        drawComposited(painter, layer, values, opacity, pass);
    } else {
        painter.setOpacity(painter.opacity() * opacity);
        drawSelf(painter, layer, values, pass);
    }
    painter.restore();
}

void LayerRenderer::drawSelf(QPainter& painter, const Layer& layer, const LayerValues& values,
                             Pass pass) {
    drawShadow(painter, layer, values);
    layer.paintContents(painter, values, pass.animating);
    for (const Layer::Ptr& sublayer : layer.sublayers())
        drawLayer(painter, *sublayer, pass);
}

void LayerRenderer::drawShadow(QPainter& painter, const Layer& layer, const LayerValues& values) {
    if (!shadowVisible(values))
        return;
    const QPainterPath path = shadowShape(layer);
    if (path.isEmpty())
        return;
    QColor color = values.shadowColor;
    color.setAlphaF(
        static_cast<float>(std::clamp(color.alphaF() * values.shadowOpacity, 0.0, 1.0)));
    const qreal ratio = painter.device()->devicePixelRatioF();
    const ShadowCache::Shadow shadow = shadows_.shadow(path, values.shadowRadius, ratio, color);
    if (shadow.image)
        drawImageAligned(painter, shadow.rect.translated(values.shadowOffset), *shadow.image);
}

void LayerRenderer::drawComposited(QPainter& painter, const Layer& layer, const LayerValues& values,
                                   double opacity, Pass pass) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QTransform world = painter.worldTransform();
    // When the layer's own transform scales or turns, the buffer holds the
    // layer untransformed: its sublayers copy in pixel for pixel, and the
    // transform is applied once, to the whole buffer.
    QTransform plane = world; // the buffer's plane, in the painter's coordinates
    bool transformed = false;
    if (values.transform.type() > QTransform::TxTranslate) {
        bool invertible = false;
        const QTransform parent = values.toSuperlayer().inverted(&invertible) * world;
        if (!invertible)
            return; // flattened to nothing
        LayerValues flat = values;
        flat.transform = QTransform();
        plane = flat.toSuperlayer() * parent;
        transformed = true;
    }
    QRectF area = (plane * QTransform::fromScale(ratio, ratio))
                      .mapRect(visualExtent(layer, values, pass.now));
    if (!transformed)
        area &= QRectF(devicePixels(*painter.device()));
    const std::optional<QRect> covered = coveringPixels(area, 4096);
    if (!covered || covered->isEmpty())
        return;
    const QRect pixels = *covered;
    const QTransform toScratch =
        plane * QTransform::fromTranslate(-pixels.x() / ratio, -pixels.y() / ratio);

    const auto slot = static_cast<std::size_t>(pass.depth) * 2;
    Pass inner = pass;
    ++inner.depth;
    QImage content = scratch(slot, pixels.size(), ratio);
    {
        QPainter contentPainter(&content);
        contentPainter.setRenderHints(painter.renderHints());
        contentPainter.setTransform(toScratch);
        drawSelf(contentPainter, layer, values, inner);
        if (const Layer::Ptr& mask = layer.mask()) {
            QImage alpha = scratch(slot + 1, pixels.size(), ratio);
            {
                QPainter maskPainter(&alpha);
                maskPainter.setRenderHints(painter.renderHints());
                maskPainter.setTransform(toScratch);
                drawLayer(maskPainter, *mask, inner);
            }
            alpha.setDevicePixelRatio(1.0);
            contentPainter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            drawImageAtDevicePixel(contentPainter, QPoint(0, 0), alpha);
        }
    }
    content.setDevicePixelRatio(1.0);
    painter.setOpacity(painter.opacity() * opacity);
    if (!transformed) {
        drawImageAtDevicePixel(painter, pixels.topLeft(), content);
        return;
    }
    painter.setWorldTransform(QTransform::fromTranslate(pixels.x(), pixels.y()) *
                              QTransform::fromScale(1.0 / ratio, 1.0 / ratio) * plane.inverted() *
                              world);
    painter.drawImage(QPointF(0, 0), content);
}

QRectF LayerRenderer::visualExtent(const Layer& layer, const LayerValues& values,
                                   Scheduler::TimePoint now) const {
    QRectF extent = layer.contentsExtent(values);
    if (shadowVisible(values)) {
        const double reach = ShadowCache::reach(values.shadowRadius);
        extent |= shadowShape(layer)
                      .controlPointRect()
                      .translated(values.shadowOffset)
                      .adjusted(-reach, -reach, reach, reach);
    }
    for (const Layer::Ptr& sublayer : layer.sublayers()) {
        if (sublayer->isHidden())
            continue;
        const LayerValues sub = sublayer->presentation(now);
        extent |= sub.toSuperlayer().mapRect(visualExtent(*sublayer, sub, now));
    }
    if (const Layer::Ptr& mask = layer.mask()) {
        const LayerValues m = mask->presentation(now);
        extent &= m.toSuperlayer().mapRect(visualExtent(*mask, m, now));
    }
    return extent;
}

void LayerRenderer::releaseCaches() {
    shadows_.keepLastFrame();
    scratch_.clear();
    scratch_.shrink_to_fit();
}

std::size_t LayerRenderer::scratchBytes() const {
    std::size_t bytes = 0;
    for (const QImage& buffer : scratch_)
        bytes += std::size_t(buffer.sizeInBytes());
    return bytes;
}

// A cleared buffer of `size` pixels; slots are reused from frame to frame.
QImage LayerRenderer::scratch(std::size_t slot, QSize size, qreal pixelRatio) {
    if (scratch_.size() <= slot)
        scratch_.resize(slot + 1);
    QImage& buffer = scratch_[slot];
    if (buffer.width() < size.width() || buffer.height() < size.height())
        buffer = QImage(size.expandedTo(buffer.size()), QImage::Format_ARGB32_Premultiplied);
    QImage view(buffer.bits(), size.width(), size.height(), buffer.bytesPerLine(),
                QImage::Format_ARGB32_Premultiplied);
    view.setDevicePixelRatio(pixelRatio);
    view.fill(Qt::transparent);
    return view;
}

} // namespace vellaro
