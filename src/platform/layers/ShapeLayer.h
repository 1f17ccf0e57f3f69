#pragma once

#include "platform/layers/Layer.h"
#include "platform/layers/ShapeCoverageCache.h"

#include <QImage>
#include <QList>
#include <cstdint>

namespace vellaro {

// A layer that fills and strokes a path given in its own coordinates. The
// fill rule is the layer's, whatever the path says (non-zero by default), and
// it also decides containment. The stroke is centred on the path.
class ShapeLayer : public Layer {
public:
    using Ptr = std::shared_ptr<ShapeLayer>;

    const QPainterPath& path() const { return path_; }
    void setPath(const QPainterPath& path);
    Qt::FillRule fillRule() const { return fillRule_; }
    void setFillRule(Qt::FillRule rule);

    // Transparent means no fill or no stroke.
    QColor fillColor() const { return model().fillColor; }
    void setFillColor(const QColor& color);
    QColor strokeColor() const { return model().strokeColor; }
    void setStrokeColor(const QColor& color);
    double lineWidth() const { return model().lineWidth; }
    void setLineWidth(double width);
    Qt::PenCapStyle lineCap() const { return lineCap_; }
    void setLineCap(Qt::PenCapStyle cap);
    Qt::PenJoinStyle lineJoin() const { return lineJoin_; }
    void setLineJoin(Qt::PenJoinStyle join);
    // Alternating dash and gap lengths in layer units; empty for a solid line.
    const QList<qreal>& lineDashPattern() const { return dashPattern_; }
    void setLineDashPattern(const QList<qreal>& pattern);

    bool contains(QPointF point) const override;
    // Drawn once into a bitmap at the device's resolution and copied from
    // there while nothing about it changes; while a transform animates above
    // it, the bitmap is resampled rather than redrawn.
    void paintContents(QPainter& painter, const LayerValues& values, bool animating) const override;
    QRectF contentsExtent(const LayerValues& values) const override;
    QPainterPath fallbackShadowPath() const override { return path_; }

private:
    // The shape at device resolution, from the shared cache: kept while only
    // colours change, looked up again when the matrix or the stroke does.
    struct Raster {
        std::shared_ptr<ShapeCoverageCache::Raster> coverage;
        std::uint64_t look = 0;
        bool filled = false;
        double strokeWidth = 0;
        QImage image;
        QRgb fill = 0;
        QRgb stroke = 0;
    };
    ShapeCoverageCache::Shape shapeFor(const LayerValues& values) const;
    bool rasterMatches(const LayerValues& values) const;
    void updateRaster(const QTransform& matrix, const LayerValues& values) const;
    void paintPath(QPainter& painter, const LayerValues& values) const;
    QList<qreal> dashesInLineWidths(double lineWidth) const;
    void lookChanged();

    QPainterPath path_;
    Qt::FillRule fillRule_ = Qt::WindingFill;
    Qt::PenCapStyle lineCap_ = Qt::FlatCap;
    Qt::PenJoinStyle lineJoin_ = Qt::MiterJoin;
    QList<qreal> dashPattern_;
    std::uint64_t look_ = 1; // counts changes of what the raster depends on besides values
    mutable Raster raster_;
};

} // namespace vellaro
