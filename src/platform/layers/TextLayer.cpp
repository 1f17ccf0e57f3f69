#include "platform/layers/TextLayer.h"

#include "platform/layers/AlignedImage.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

void TextLayer::setText(const QString& text) {
    text_ = text;
    changed();
}

void TextLayer::setFont(const QFont& font) {
    font_ = font;
    changed();
}

void TextLayer::setForegroundColor(const QColor& color) {
    setValue(LayerProperty::ForegroundColor, color.isValid() ? color : QColor(0, 0, 0, 0));
}

void TextLayer::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    changed();
}

void TextLayer::setTruncationMode(Qt::TextElideMode mode) {
    truncation_ = mode;
    changed();
}

const QImage& TextLayer::raster(const LayerValues& values, qreal pixelRatio) const {
    Raster& r = raster_;
    const QRgb color = values.foregroundColor.rgba();
    const QSizeF size = values.bounds.size();
    if (!r.image.isNull() && r.text == text_ && r.font == font_ && r.color == color &&
        r.size == size && r.pixelRatio == pixelRatio && r.alignment == alignment_ &&
        r.truncation == truncation_)
        return r.image;

    r = Raster{{}, text_, font_, color, size, pixelRatio, alignment_, truncation_};
    const std::optional<QRect> covered =
        coveringPixels(QRectF(QPointF(0, 0), size * pixelRatio), 4096);
    if (!covered || covered->isEmpty() || text_.isEmpty())
        return r.image; // nothing, or too large to be a label
    const QSize pixels = covered->size();
    r.image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    r.image.setDevicePixelRatio(pixelRatio);
    r.image.fill(Qt::transparent);

    QPainter painter(&r.image);
    QFont font = font_;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 72.0 / r.image.logicalDpiY());
    painter.setFont(font);
    painter.setPen(values.foregroundColor);
    const QRectF box(QPointF(0, 0), size);
    const QString shown =
        truncation_ == Qt::ElideNone
            ? text_
            : QFontMetricsF(font, &r.image).elidedText(text_, truncation_, box.width());
    painter.drawText(box, static_cast<int>(alignment_ | Qt::AlignTop | Qt::TextSingleLine), shown);
    painter.end();
    r.image.setDevicePixelRatio(1.0); // drawn as device pixels from here on
    return r.image;
}

void TextLayer::paintContents(QPainter& painter, const LayerValues& values, bool) const {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage& image = raster(values, ratio);
    if (image.isNull())
        return;
    drawImageAligned(painter, QRectF(values.bounds.topLeft(), QSizeF(image.size()) / ratio), image);
}

} // namespace vellaro
