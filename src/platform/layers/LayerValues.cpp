#include "platform/layers/LayerValues.h"

namespace vellaro {

namespace {

template <class T>
bool assign(T& field, const PropertyValue& value) {
    const T* typed = std::get_if<T>(&value);
    if (!typed)
        return false;
    field = *typed;
    return true;
}

} // namespace

PropertyValue LayerValues::get(LayerProperty property) const {
    switch (property) {
    case LayerProperty::Position:
        return position;
    case LayerProperty::Bounds:
        return bounds;
    case LayerProperty::AnchorPoint:
        return anchorPoint;
    case LayerProperty::Transform:
        return transform;
    case LayerProperty::Opacity:
        return opacity;
    case LayerProperty::ShadowColor:
        return shadowColor;
    case LayerProperty::ShadowOpacity:
        return shadowOpacity;
    case LayerProperty::ShadowRadius:
        return shadowRadius;
    case LayerProperty::ShadowOffset:
        return shadowOffset;
    case LayerProperty::FillColor:
        return fillColor;
    case LayerProperty::StrokeColor:
        return strokeColor;
    case LayerProperty::LineWidth:
        return lineWidth;
    case LayerProperty::ForegroundColor:
        return foregroundColor;
    }
    return 0.0;
}

bool LayerValues::set(LayerProperty property, const PropertyValue& value) {
    switch (property) {
    case LayerProperty::Position:
        return assign(position, value);
    case LayerProperty::Bounds:
        return assign(bounds, value);
    case LayerProperty::AnchorPoint:
        return assign(anchorPoint, value);
    case LayerProperty::Transform:
        return assign(transform, value);
    case LayerProperty::Opacity:
        return assign(opacity, value);
    case LayerProperty::ShadowColor:
        return assign(shadowColor, value);
    case LayerProperty::ShadowOpacity:
        return assign(shadowOpacity, value);
    case LayerProperty::ShadowRadius:
        return assign(shadowRadius, value);
    case LayerProperty::ShadowOffset:
        return assign(shadowOffset, value);
    case LayerProperty::FillColor:
        return assign(fillColor, value);
    case LayerProperty::StrokeColor:
        return assign(strokeColor, value);
    case LayerProperty::LineWidth:
        return assign(lineWidth, value);
    case LayerProperty::ForegroundColor:
        return assign(foregroundColor, value);
    }
    return false;
}

QTransform LayerValues::toSuperlayer() const {
    const QPointF anchor(bounds.x() + anchorPoint.x() * bounds.width(),
                         bounds.y() + anchorPoint.y() * bounds.height());
    return QTransform::fromTranslate(-anchor.x(), -anchor.y()) * transform *
           QTransform::fromTranslate(position.x(), position.y());
}

} // namespace vellaro
