#include "ui/SliderMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vellaro::SliderMath {

double fraction(double value, double lower, double upper) {
    if (!std::isfinite(value))
        return 0;
    return (value - lower) / (upper - lower);
}

double valueAt(double x, double width, double lower, double upper, double step) {
    const double t = width > 0 && std::isfinite(x) ? std::clamp(x / width, 0.0, 1.0) : 0.0;
    const double raw = lower + (upper - lower) * t;
    const double stepped = std::round(raw / step) * step;
    return std::clamp(stepped, lower, upper);
}

QString badgeText(double value, const QString& unit) {
    constexpr double lowest = double(std::numeric_limits<std::int32_t>::min());
    constexpr double highest = double(std::numeric_limits<std::int32_t>::max());
    const double finite = std::isnan(value) ? 0.0 : std::clamp(value, lowest, highest);
    return QString::number(std::int64_t(std::trunc(finite))) + QLatin1Char(' ') + unit;
}

} // namespace vellaro::SliderMath
