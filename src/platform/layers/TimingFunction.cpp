#include "platform/layers/TimingFunction.h"

#include "platform/layers/Logging.h"

#include <algorithm>
#include <cmath>

namespace vellaro {

namespace {

// One coordinate of the Bezier with end points 0 and 1: B(t) = 3(1-t)^2 t p1 + 3(1-t) t^2 p2 + t^3.
double bezier(double t, double p1, double p2) {
    const double u = 1.0 - t;
    return 3.0 * u * u * t * p1 + 3.0 * u * t * t * p2 + t * t * t;
}

double bezierSlope(double t, double p1, double p2) {
    const double u = 1.0 - t;
    return 3.0 * u * u * p1 + 6.0 * u * t * (p2 - p1) + 3.0 * t * t * (1.0 - p2);
}

} // namespace

TimingFunction::TimingFunction(double x1, double y1, double x2, double y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        qCWarning(lcLayers) << "Timing curve with a non-finite control point; using linear";
        return;
    }
    x1_ = std::clamp(x1, 0.0, 1.0);
    x2_ = std::clamp(x2, 0.0, 1.0);
    y1_ = y1;
    y2_ = y2;
}

double TimingFunction::sampleX(double t) const {
    return bezier(t, x1_, x2_);
}

double TimingFunction::solveForT(double x) const {
    // Newton's method converges in a few steps on these curves; bisection
    // takes over where the slope is too flat to trust.
    double t = x;
    for (int i = 0; i < 8; ++i) {
        const double error = sampleX(t) - x;
        if (std::abs(error) < 1e-7)
            return t;
        const double slope = bezierSlope(t, x1_, x2_);
        if (std::abs(slope) < 1e-6)
            break;
        t -= error / slope;
    }
    double lo = 0.0, hi = 1.0;
    t = x;
    for (int i = 0; i < 60 && hi - lo > 1e-9; ++i) {
        if (sampleX(t) < x)
            lo = t;
        else
            hi = t;
        t = (lo + hi) / 2.0;
    }
    return t;
}

double TimingFunction::valueAt(double fraction) const {
    const double x = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 1.0;
    if (x <= 0.0)
        return 0.0;
    if (x >= 1.0)
        return 1.0;
    if (x1_ == y1_ && x2_ == y2_)
        return x;
    return bezier(solveForT(x), y1_, y2_);
}

} // namespace vellaro
