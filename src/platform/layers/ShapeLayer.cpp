#include "platform/layers/ShapeLayer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vellaro {

void ShapeLayer::setPath(const QPainterPath& path) {
    path_ = path;
    path_.setFillRule(fillRule_);
    changed();
}

void ShapeLayer::setFillRule(Qt::FillRule rule) {
    fillRule_ = rule;
    path_.setFillRule(rule);
    changed();
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
    changed();
}

void ShapeLayer::setLineJoin(Qt::PenJoinStyle join) {
    lineJoin_ = join;
    changed();
}

void ShapeLayer::setLineDashPattern(const QList<qreal>& pattern) {
    dashPattern_ = pattern;
    changed();
}

bool ShapeLayer::contains(QPointF point) const {
    return path_.contains(point);
}

void ShapeLayer::paintContents(QPainter& painter, const LayerValues& values) const {
    if (path_.isEmpty())
        return;
    if (values.fillColor.alpha() > 0)
        painter.fillPath(path_, values.fillColor);
    if (values.strokeColor.alpha() > 0 && values.lineWidth > 0.0) {
        QPen pen(values.strokeColor, values.lineWidth, Qt::SolidLine, lineCap_, lineJoin_);
        if (!dashPattern_.isEmpty()) {
            // QPen measures dashes in line widths.
            QList<qreal> dashes;
            dashes.reserve(dashPattern_.size() + 1);
            for (qreal length : dashPattern_)
                dashes.append(std::max(length, 0.0) / values.lineWidth);
            if (dashes.size() % 2 == 1)
                dashes.append(dashes);
            pen.setDashPattern(dashes);
        }
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
