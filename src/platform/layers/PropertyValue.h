#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <variant>

namespace vellaro {

// The value of an animatable layer property.
using PropertyValue = std::variant<double, QPointF, QRectF, QColor, QTransform>;

// The value at `progress` between `from` (0) and `to` (1). Progress may lie
// outside 0...1 (an overshooting curve); values are then extrapolated, and
// colour channels clamped. Transforms are interpolated by their translation,
// rotation, shear and scale, so a scale about a point stays one on the way.
// Values of different kinds give `to`.
PropertyValue interpolate(const PropertyValue& from, const PropertyValue& to, double progress);

} // namespace vellaro
