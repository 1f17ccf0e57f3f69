#include "model/RGBAColor.h"

#include <cmath>

namespace vellaro {

namespace {
// QColor keeps 16 bits per component, so 0.5 comes back as 0.500007; four
// decimals are finer than any picker offers and give the file clean values.
double tidy(float component) {
    return std::round(double(component) * 10000) / 10000;
}
} // namespace

RGBAColor RGBAColor::fromColor(const QColor& color) {
    // The light appearance's system grey, in sRGB.
    static const QColor systemGray = QColor::fromRgbF(0.557f, 0.557f, 0.576f, 1.0f);
    const QColor source = color.isValid() ? color : systemGray;
    // Extended sRGB keeps components outside 0...1; every other spec converts.
    const QColor srgb = source.spec() == QColor::ExtendedRgb ? source : source.toRgb();
    float r = 0, g = 0, b = 0, a = 0;
    srgb.getRgbF(&r, &g, &b, &a);
    return {tidy(r), tidy(g), tidy(b), tidy(a)};
}

QColor RGBAColor::toColor() const {
    return QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b),
                            static_cast<float>(a));
}

} // namespace vellaro
