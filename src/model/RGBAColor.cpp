#include "model/RGBAColor.h"

#include <charconv>
#include <cstdlib>

namespace vellaro {

namespace {
// The shortest decimal that reads back as the same float, so 0.5f is stored
// as 0.5 and not as the widened double's long expansion.
double shortestDouble(float value) {
    char text[32] = {};
    const auto result = std::to_chars(text, text + sizeof text - 1, value);
    *result.ptr = '\0';
    return std::strtod(text, nullptr);
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
    return {shortestDouble(r), shortestDouble(g), shortestDouble(b), shortestDouble(a)};
}

QColor RGBAColor::toColor() const {
    return QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b),
                            static_cast<float>(a));
}

} // namespace vellaro
