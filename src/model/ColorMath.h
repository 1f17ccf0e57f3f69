#pragma once

#include "model/RGBAColor.h"

#include <QColor>

namespace vellaro {

// Colour arithmetic shared by the dial's theme and the console palette, on
// sRGB components.

// An sRGB colour from components in 0...1.
QColor srgb(double r, double g, double b, double a = 1);
// The same colour at another opacity.
QColor withAlpha(const QColor& color, double alpha);
// `from` moved the fraction `fraction` of the way toward `toward`, alpha included.
QColor blended(const QColor& from, const QColor& toward, double fraction);
// `top` painted over the opaque `bottom`: an opaque colour.
QColor over(const QColor& top, const QColor& bottom);
// 0.2126 R + 0.7152 G + 0.0722 B of the sRGB components.
double luminance(const QColor& color);
// A base colour below 0.5 luminance makes a dark theme; exactly 0.5 is light.
bool isDarkBase(const QColor& base);
// A stored colour as drawn: components outside 0...1 are clamped, and a
// colour with a component that is not a number gives `fallback`.
QColor drawableColor(const RGBAColor& stored, const QColor& fallback);
// The system colours a failed conversion falls back to.
QColor systemDarkGray();
QColor systemBlue();

} // namespace vellaro
