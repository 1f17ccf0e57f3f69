#pragma once

#include <QLatin1StringView>

namespace vellaro {

// The animatable properties of layers. Each change of one of them inside an
// enabled transaction starts an implicit animation keyed by its name.
enum class LayerProperty {
    Position,        // QPointF
    Bounds,          // QRectF
    AnchorPoint,     // QPointF, unit coordinates of the bounds
    Transform,       // QTransform, about the anchor point
    Opacity,         // double
    ShadowColor,     // QColor
    ShadowOpacity,   // double
    ShadowRadius,    // double
    ShadowOffset,    // QPointF
    FillColor,       // QColor (shape layers)
    StrokeColor,     // QColor (shape layers)
    LineWidth,       // double (shape layers)
    ForegroundColor, // QColor (text layers)
};

// The key an implicit animation of the property is stored under.
QLatin1StringView propertyName(LayerProperty property);

} // namespace vellaro
