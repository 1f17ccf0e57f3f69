#include "overlay/DialTiming.h"

#include "model/VellaroTheme.h"

#include <QEasingCurve>

namespace vellaro::DialTiming {

namespace {

// The theme keeps its curves as cubic Bezier easing curves.
TimingFunction fromEasing(const QEasingCurve& curve) {
    const QList<QPointF> points = curve.toCubicSpline();
    if (points.size() < 2)
        return TimingFunction::linear();
    return {points[0].x(), points[0].y(), points[1].x(), points[1].y()};
}

} // namespace

TimingFunction overshoot() {
    return fromEasing(VellaroTheme::overshootCurve());
}
TimingFunction easeOut() {
    return fromEasing(VellaroTheme::easeOutCurve());
}

BasicAnimation fade(double seconds, TimingFunction timing) {
    BasicAnimation animation;
    animation.property = LayerProperty::Opacity;
    animation.from = 0.0;
    animation.duration = seconds;
    animation.timing = timing;
    return animation;
}

BasicAnimation grow(double from, double seconds, TimingFunction timing) {
    BasicAnimation animation;
    animation.property = LayerProperty::Transform;
    animation.from = QTransform::fromScale(from, from);
    animation.duration = seconds;
    animation.timing = timing;
    return animation;
}

} // namespace vellaro::DialTiming
