#pragma once

#include <QColor>

namespace vellaro {

// A colour as stored: sRGB components and alpha; no range is enforced.
struct RGBAColor {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;

    // Converted to sRGB; an invalid colour stores the system grey instead.
    static RGBAColor fromColor(const QColor& color);
    QColor toColor() const;

    friend bool operator==(const RGBAColor&, const RGBAColor&) = default;
};

} // namespace vellaro
