#include "model/ColorMath.h"

#include <algorithm>
#include <cmath>

namespace vellaro {

namespace {
float unit(double component) {
    return static_cast<float>(std::clamp(component, 0.0, 1.0));
}
} // namespace

QColor srgb(double r, double g, double b, double a) {
    return QColor::fromRgbF(unit(r), unit(g), unit(b), unit(a));
}

QColor withAlpha(const QColor& color, double alpha) {
    QColor result = color.toRgb();
    result.setAlphaF(unit(alpha));
    return result;
}

QColor blended(const QColor& from, const QColor& toward, double fraction) {
    const QColor a = from.toRgb();
    const QColor b = toward.toRgb();
    auto mix = [fraction](float x, float y) { return x + (y - x) * fraction; };
    return srgb(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()), mix(a.blueF(), b.blueF()),
                mix(a.alphaF(), b.alphaF()));
}

QColor over(const QColor& top, const QColor& bottom) {
    const QColor t = top.toRgb();
    const QColor b = bottom.toRgb();
    const double a = t.alphaF();
    return srgb(t.redF() * a + b.redF() * (1 - a), t.greenF() * a + b.greenF() * (1 - a),
                t.blueF() * a + b.blueF() * (1 - a));
}

double luminance(const QColor& color) {
    const QColor c = color.toRgb();
    return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
}

bool isDarkBase(const QColor& base) {
    return luminance(base) < 0.5;
}

QColor drawableColor(const RGBAColor& stored, const QColor& fallback) {
    const bool finite = std::isfinite(stored.r) && std::isfinite(stored.g) &&
                        std::isfinite(stored.b) && std::isfinite(stored.a);
    return finite ? srgb(stored.r, stored.g, stored.b, stored.a) : fallback;
}

QColor systemDarkGray() {
    return srgb(1.0 / 3, 1.0 / 3, 1.0 / 3);
}

QColor systemBlue() {
    return srgb(0, 0.478, 1);
}

} // namespace vellaro
