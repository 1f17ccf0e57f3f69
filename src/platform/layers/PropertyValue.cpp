#include "platform/layers/PropertyValue.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vellaro {

namespace {

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

QPointF lerp(QPointF a, QPointF b, double t) {
    return a + (b - a) * t;
}

QColor lerp(const QColor& a, const QColor& b, double t) {
    // Premultiplied, so that fading from transparent does not pass through black.
    const auto channel = [t](double ca, double aa, double cb, double ab) {
        return lerp(ca * aa, cb * ab, t);
    };
    const double alpha = std::clamp(lerp(a.alphaF(), b.alphaF(), t), 0.0, 1.0);
    if (alpha <= 0.0)
        return QColor::fromRgbF(0, 0, 0, 0);
    const auto unpremultiplied = [alpha](double premultiplied) {
        return static_cast<float>(std::clamp(premultiplied / alpha, 0.0, 1.0));
    };
    return QColor::fromRgbF(
        unpremultiplied(channel(a.redF(), a.alphaF(), b.redF(), b.alphaF())),
        unpremultiplied(channel(a.greenF(), a.alphaF(), b.greenF(), b.alphaF())),
        unpremultiplied(channel(a.blueF(), a.alphaF(), b.blueF(), b.alphaF())),
        static_cast<float>(alpha));
}

struct Decomposed {
    double translateX, translateY, angle, shear, scaleX, scaleY;
};

// The 2D decomposition into translate * rotate * shear * scale (applied from
// the right), as browsers interpolate transforms.
Decomposed decompose(const QTransform& m) {
    double a = m.m11(), b = m.m12(), c = m.m21(), d = m.m22();
    Decomposed out{m.dx(), m.dy(), 0.0, 0.0, 0.0, 0.0};
    out.scaleX = std::hypot(a, b);
    if (out.scaleX > 0.0) {
        a /= out.scaleX;
        b /= out.scaleX;
    }
    out.shear = a * c + b * d;
    c -= a * out.shear;
    d -= b * out.shear;
    out.scaleY = std::hypot(c, d);
    if (out.scaleY > 0.0) {
        c /= out.scaleY;
        d /= out.scaleY;
        out.shear /= out.scaleY;
    }
    if (a * d - b * c < 0.0) {
        a = -a;
        b = -b;
        out.shear = -out.shear;
        out.scaleX = -out.scaleX;
    }
    out.angle = std::atan2(b, a);
    return out;
}

QTransform recompose(const Decomposed& p) {
    const double cosA = std::cos(p.angle), sinA = std::sin(p.angle);
    // Row vectors: scale, then shear, then rotate, then translate.
    const QTransform scale = QTransform::fromScale(p.scaleX, p.scaleY);
    const QTransform shear(1.0, 0.0, p.shear, 1.0, 0.0, 0.0);
    const QTransform rotate(cosA, sinA, -sinA, cosA, 0.0, 0.0);
    return scale * shear * rotate * QTransform::fromTranslate(p.translateX, p.translateY);
}

QTransform lerp(const QTransform& from, const QTransform& to, double t) {
    if (!from.isAffine() || !to.isAffine()) {
        return QTransform(lerp(from.m11(), to.m11(), t), lerp(from.m12(), to.m12(), t),
                          lerp(from.m13(), to.m13(), t), lerp(from.m21(), to.m21(), t),
                          lerp(from.m22(), to.m22(), t), lerp(from.m23(), to.m23(), t),
                          lerp(from.m31(), to.m31(), t), lerp(from.m32(), to.m32(), t),
                          lerp(from.m33(), to.m33(), t));
    }
    const Decomposed a = decompose(from);
    Decomposed b = decompose(to);
    // Turn the short way round.
    const double turn = 2.0 * std::numbers::pi;
    while (b.angle - a.angle > std::numbers::pi)
        b.angle -= turn;
    while (a.angle - b.angle > std::numbers::pi)
        b.angle += turn;
    return recompose({lerp(a.translateX, b.translateX, t), lerp(a.translateY, b.translateY, t),
                      lerp(a.angle, b.angle, t), lerp(a.shear, b.shear, t),
                      lerp(a.scaleX, b.scaleX, t), lerp(a.scaleY, b.scaleY, t)});
}

} // namespace

PropertyValue interpolate(const PropertyValue& from, const PropertyValue& to, double progress) {
    if (from.index() != to.index())
        return to;
    return std::visit(
        [&](const auto& a) -> PropertyValue {
            using T = std::decay_t<decltype(a)>;
            const T& b = std::get<T>(to);
            if constexpr (std::is_same_v<T, QRectF>)
                return QRectF(lerp(a.topLeft(), b.topLeft(), progress),
                              QSizeF(lerp(a.width(), b.width(), progress),
                                     lerp(a.height(), b.height(), progress)));
            else
                return lerp(a, b, progress);
        },
        from);
}

} // namespace vellaro
