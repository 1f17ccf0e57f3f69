#pragma once

#include "platform/layers/Layer.h"

#include <QFont>
#include <QImage>

namespace vellaro {

// One line of text drawn from the top of the layer's bounds and clipped to
// them. The font's point size is taken in layer units (a 12-point font is 12
// units tall, whatever the screen's DPI); letter spacing comes from the font.
// The text is rasterised once at the target's pixel ratio and kept until
// something it depends on changes.
class TextLayer : public Layer {
public:
    using Ptr = std::shared_ptr<TextLayer>;

    const QString& text() const { return text_; }
    void setText(const QString& text);
    const QFont& font() const { return font_; }
    void setFont(const QFont& font);
    QColor foregroundColor() const { return model().foregroundColor; }
    void setForegroundColor(const QColor& color);
    // Horizontal alignment: Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    // How text wider than the bounds is cut: Qt::ElideNone clips it.
    Qt::TextElideMode truncationMode() const { return truncation_; }
    void setTruncationMode(Qt::TextElideMode mode);

    void paintContents(QPainter& painter, const LayerValues& values, bool animating) const override;
    QRectF contentsExtent(const LayerValues& values) const override { return values.bounds; }

private:
    struct Raster {
        QImage image;
        QString text;
        QFont font;
        QRgb color = 0;
        QSizeF size;
        qreal pixelRatio = 0;
        Qt::Alignment alignment;
        Qt::TextElideMode truncation = Qt::ElideNone;
    };
    const QImage& raster(const LayerValues& values, qreal pixelRatio) const;

    QString text_;
    QFont font_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    Qt::TextElideMode truncation_ = Qt::ElideNone;
    mutable Raster raster_;
};

} // namespace vellaro
