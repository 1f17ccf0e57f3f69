#pragma once

#include "platform/layers/LayerProperty.h"
#include "platform/layers/PropertyValue.h"

namespace vellaro {

// Every animatable value of a layer: the model (what was set) or the
// presentation (what is on screen at a moment, animations applied).
// Geometry is in the y-down plane of Qt.
struct LayerValues {
    QPointF position;
    QRectF bounds;
    QPointF anchorPoint{0.5, 0.5};
    QTransform transform;
    double opacity = 1.0;
    QColor shadowColor{0, 0, 0};
    double shadowOpacity = 0.0;
    double shadowRadius = 3.0;
    QPointF shadowOffset{0.0, 3.0}; // below the layer
    QColor fillColor{0, 0, 0};
    QColor strokeColor{0, 0, 0, 0};
    double lineWidth = 1.0;
    QColor foregroundColor{255, 255, 255};

    PropertyValue get(LayerProperty property) const;
    // Ignores a value of the wrong kind and answers false.
    bool set(LayerProperty property, const PropertyValue& value);

    // Maps the layer's own coordinates (its bounds) into its superlayer's.
    QTransform toSuperlayer() const;
};

} // namespace vellaro
