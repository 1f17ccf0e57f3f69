#pragma once

#include <QString>

namespace vellaro {

// The arithmetic of the kit's slider: where a value sits and which value a
// pointer position chooses. Ranges need lower < upper and a positive step.
namespace SliderMath {

// (value − lower) / (upper − lower), not clamped; a non-finite value sits at
// the lower bound.
double fraction(double value, double lower, double upper);

// The value chosen at `x` of a slider `width` wide: the position clamped to
// the track, rounded to a multiple of `step` (halves away from zero), then
// clamped into the range again so that rounding never leaves it.
double valueAt(double x, double width, double lower, double upper, double step);

// The badge: the value truncated toward zero, a blank, the unit. Values past
// what an integer holds, and non-finite ones, are clamped first.
QString badgeText(double value, const QString& unit);

} // namespace SliderMath

} // namespace vellaro
