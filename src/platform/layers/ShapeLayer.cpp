#include "platform/layers/ShapeLayer.h"

#include "platform/layers/AlignedImage.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vellaro {

void ShapeLayer::setPath(const QPainterPath& path) {
    path_ = path;
    path_.setFillRule(fillRule_);
    lookChanged();
}

void ShapeLayer::setFillRule(Qt::FillRule rule) {
    fillRule_ = rule;
    path_.setFillRule(rule);
    lookChanged();
}

void ShapeLayer::setFillColor(const QColor& color) {
    setValue(LayerProperty::FillColor, color.isValid() ? color : QColor(0, 0, 0, 0));
}

void ShapeLayer::setStrokeColor(const QColor& color) {
    setValue(LayerProperty::StrokeColor, color.isValid() ? color : QColor(0, 0, 0, 0));
}

void ShapeLayer::setLineWidth(double width) {
    setValue(LayerProperty::LineWidth, std::max(width, 0.0));
}

void ShapeLayer::setLineCap(Qt::PenCapStyle cap) {
    lineCap_ = cap;
    lookChanged();
}

void ShapeLayer::setLineJoin(Qt::PenJoinStyle join) {
    lineJoin_ = join;
    lookChanged();
}

void ShapeLayer::setLineDashPattern(const QList<qreal>& pattern) {
    dashPattern_ = pattern;
    lookChanged();
}

void ShapeLayer::lookChanged() {
    ++look_;
    raster_ = {};
    changed();
}

bool ShapeLayer::contains(QPointF point) const {
    return path_.contains(point);
}

void ShapeLayer::paintContents(QPainter& painter, const LayerValues& values, bool animating) const {
    if (path_.isEmpty())
        return;
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QTransform device = painter.worldTransform() * QTransform::fromScale(ratio, ratio);
    if (!device.isAffine()) {
        paintPath(painter, values);
        return;
    }
    // Whole-pixel moves reuse the raster; the fraction is part of its key.
    const qreal wholeX = std::floor(device.dx()), wholeY = std::floor(device.dy());
    const auto sixteenth = [](qreal v) { return std::round(v * 16.0) / 16.0; };
    const QTransform matrix(device.m11(), device.m12(), device.m21(), device.m22(),
                            sixteenth(device.dx() - wholeX), sixteenth(device.dy() - wholeY));
    Raster& r = raster_;
    if (animating && rasterMatches(values) && !qFuzzyCompare(r.coverage->matrix(), matrix)) {
        // Moving under an animation: resample what we have rather than redraw.
        const QRect& pixels = r.coverage->pixels();
        painter.save();
        painter.setWorldTransform(QTransform::fromTranslate(pixels.x(), pixels.y()) *
                                  r.coverage->matrix().inverted() * painter.worldTransform());
        painter.drawImage(QPointF(0, 0), r.image);
        painter.restore();
        return;
    }
    updateRaster(matrix, values);
    if (r.image.isNull()) {
        paintPath(painter, values);
        return;
    }
    drawImageAtDevicePixel(
        painter, r.coverage->pixels().topLeft() + QPoint(int(wholeX), int(wholeY)), r.image);
}

bool ShapeLayer::rasterMatches(const LayerValues& values) const {
    const Raster& r = raster_;
    const bool stroked = values.strokeColor.alpha() > 0 && values.lineWidth > 0.0;
    return r.coverage && !r.image.isNull() && r.look == look_ &&
           r.filled == (values.fillColor.alpha() > 0) &&
           r.strokeWidth == (stroked ? values.lineWidth : 0.0) &&
           r.fill == values.fillColor.rgba() && r.stroke == values.strokeColor.rgba();
}

ShapeCoverageCache::Shape ShapeLayer::shapeFor(const LayerValues& values) const {
    const bool stroked = values.strokeColor.alpha() > 0 && values.lineWidth > 0.0;
    ShapeCoverageCache::Shape shape{path_,
                                    fillRule_,
                                    values.fillColor.alpha() > 0,
                                    stroked ? values.lineWidth : 0.0,
                                    lineCap_,
                                    lineJoin_,
                                    stroked ? dashesInLineWidths(values.lineWidth) : QList<qreal>(),
                                    0};
    return shape.hashed();
}

void ShapeLayer::updateRaster(const QTransform& matrix, const LayerValues& values) const {
    Raster& r = raster_;
    const std::optional<QRect> covered = coveringPixels(matrix.mapRect(contentsExtent(values)));
    if (!covered || covered->width() > 4096 || covered->height() > 4096) {
        r = {}; // drawn straight from the path instead
        return;
    }
    const QRect pixels = covered->adjusted(-1, -1, 1, 1);
    const bool filled = values.fillColor.alpha() > 0;
    const bool stroked = values.strokeColor.alpha() > 0 && values.lineWidth > 0.0;
    const double strokeWidth = stroked ? values.lineWidth : 0.0;
    if (!r.coverage || r.look != look_ || r.filled != filled || r.strokeWidth != strokeWidth ||
        !qFuzzyCompare(r.coverage->matrix(), matrix) || !r.coverage->pixels().contains(pixels)) {
        r = Raster{ShapeCoverageCache::shared().raster(shapeFor(values), matrix, pixels),
                   look_,
                   filled,
                   strokeWidth,
                   {},
                   0,
                   0};
        if (!r.coverage)
            return;
    }
    if (r.image.isNull() || r.fill != values.fillColor.rgba() ||
        r.stroke != values.strokeColor.rgba()) {
        r.fill = values.fillColor.rgba();
        r.stroke = values.strokeColor.rgba();
        r.image = r.coverage->image(r.fill, r.stroke);
    }
}

QList<qreal> ShapeLayer::dashesInLineWidths(double lineWidth) const {
    // Qt measures dashes in line widths; ours are in layer units.
    QList<qreal> dashes;
    dashes.reserve(dashPattern_.size() * 2);
    for (qreal length : dashPattern_)
        dashes.append(std::max(length, 0.0) / lineWidth);
    if (dashes.size() % 2 == 1)
        dashes.append(dashes);
    return dashes;
}

void ShapeLayer::paintPath(QPainter& painter, const LayerValues& values) const {
    if (values.fillColor.alpha() > 0)
        painter.fillPath(path_, values.fillColor);
    if (values.strokeColor.alpha() > 0 && values.lineWidth > 0.0) {
        QPen pen(values.strokeColor, values.lineWidth, Qt::SolidLine, lineCap_, lineJoin_);
        if (!dashPattern_.isEmpty())
            pen.setDashPattern(dashesInLineWidths(values.lineWidth));
        painter.strokePath(path_, pen);
    }
}

QRectF ShapeLayer::contentsExtent(const LayerValues& values) const {
    if (path_.isEmpty())
        return {};
    // Miter joins can reach a few line widths past the path.
    const qreal grow = values.strokeColor.alpha() > 0 ? values.lineWidth * 2.0 : 0.0;
    return path_.controlPointRect().adjusted(-grow, -grow, grow, grow);
}

} // namespace vellaro
