#include "platform/layers/LayerProperty.h"

namespace vellaro {

QLatin1StringView propertyName(LayerProperty property) {
    switch (property) {
    case LayerProperty::Position:
        return QLatin1StringView("position");
    case LayerProperty::Bounds:
        return QLatin1StringView("bounds");
    case LayerProperty::AnchorPoint:
        return QLatin1StringView("anchorPoint");
    case LayerProperty::Transform:
        return QLatin1StringView("transform");
    case LayerProperty::Opacity:
        return QLatin1StringView("opacity");
    case LayerProperty::ShadowColor:
        return QLatin1StringView("shadowColor");
    case LayerProperty::ShadowOpacity:
        return QLatin1StringView("shadowOpacity");
    case LayerProperty::ShadowRadius:
        return QLatin1StringView("shadowRadius");
    case LayerProperty::ShadowOffset:
        return QLatin1StringView("shadowOffset");
    case LayerProperty::FillColor:
        return QLatin1StringView("fillColor");
    case LayerProperty::StrokeColor:
        return QLatin1StringView("strokeColor");
    case LayerProperty::LineWidth:
        return QLatin1StringView("lineWidth");
    case LayerProperty::ForegroundColor:
        return QLatin1StringView("foregroundColor");
    }
    return QLatin1StringView("unknown");
}

} // namespace vellaro
