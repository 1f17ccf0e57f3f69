#include "overlay/DialDragLook.h"

#include "platform/layers/ShapeLayer.h"

namespace vellaro::DialDragLook {

namespace {

constexpr double removingLine = 1.5;
constexpr double removingStrokeAlpha = 0.85;
constexpr double removingIconOpacity = 0.45;
constexpr qreal dash = 4;

} // namespace

QColor removalRed(bool dark) {
    return dark ? QColor(255, 69, 58) : QColor(255, 59, 48);
}

void applyRemoving(ShapeLayer& shape, bool dark, Layer* icon) {
    QColor stroke = removalRed(dark);
    stroke.setAlphaF(float(removingStrokeAlpha));
    shape.setFillColor(Qt::transparent);
    shape.setStrokeColor(stroke);
    shape.setLineWidth(removingLine);
    shape.setLineDashPattern({dash, dash});
    if (icon)
        icon->setOpacity(removingIconOpacity);
}

void applyTarget(ShapeLayer& shape, const RadialSurface& surface, const QColor& accent,
                 double lineWidth, Layer* icon) {
    shape.setFillColor(surface.hover);
    shape.setStrokeColor(accent);
    shape.setLineWidth(lineWidth);
    shape.setLineDashPattern({});
    if (icon)
        icon->setOpacity(1);
}

void clearDash(ShapeLayer& shape) {
    shape.setLineDashPattern({});
}

} // namespace vellaro::DialDragLook
