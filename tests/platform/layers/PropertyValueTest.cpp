#include "platform/layers/PropertyValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vellaro {
namespace {

void expectNear(const QTransform& actual, const QTransform& expected) {
    EXPECT_NEAR(actual.m11(), expected.m11(), 1e-9);
    EXPECT_NEAR(actual.m12(), expected.m12(), 1e-9);
    EXPECT_NEAR(actual.m21(), expected.m21(), 1e-9);
    EXPECT_NEAR(actual.m22(), expected.m22(), 1e-9);
    EXPECT_NEAR(actual.dx(), expected.dx(), 1e-9);
    EXPECT_NEAR(actual.dy(), expected.dy(), 1e-9);
}

QTransform at(const QTransform& from, const QTransform& to, double t) {
    return std::get<QTransform>(interpolate(from, to, t));
}

TEST(PropertyValue, InterpolatesPlainValuesAndExtrapolatesPastTheEnd) {
    EXPECT_DOUBLE_EQ(std::get<double>(interpolate(0.0, 1.0, 0.25)), 0.25);
    EXPECT_DOUBLE_EQ(std::get<double>(interpolate(0.9, 1.0, 1.5)), 1.05);
    EXPECT_EQ(std::get<QPointF>(interpolate(QPointF(0, 0), QPointF(10, -4), 0.5)), QPointF(5, -2));
    EXPECT_EQ(std::get<QRectF>(interpolate(QRectF(0, 0, 10, 10), QRectF(10, 20, 30, 40), 0.5)),
              QRectF(5, 10, 20, 25));
}

TEST(PropertyValue, ValuesOfDifferentKindsGiveTheTarget) {
    EXPECT_DOUBLE_EQ(std::get<double>(interpolate(QPointF(1, 1), 3.0, 0.5)), 3.0);
}

TEST(PropertyValue, ColoursBlendPremultipliedAndClampWhenOvershooting) {
    const QColor fromClear =
        std::get<QColor>(interpolate(QColor(0, 0, 0, 0), QColor(255, 0, 0), 0.5));
    EXPECT_EQ(fromClear.red(), 255); // not darkened on the way in
    EXPECT_NEAR(fromClear.alphaF(), 0.5, 1e-3);
    const QColor past = std::get<QColor>(interpolate(QColor(0, 0, 0), QColor(255, 255, 255), 1.2));
    EXPECT_EQ(past, QColor(255, 255, 255));
}

TEST(PropertyValue, ScaleAnimatesAsAScale) {
    expectNear(at(QTransform::fromScale(0.9, 0.9), QTransform(), 0.5),
               QTransform::fromScale(0.95, 0.95));
    // The overshooting curve briefly goes past the end: the scale too.
    expectNear(at(QTransform::fromScale(0.9, 0.9), QTransform(), 1.1),
               QTransform::fromScale(1.01, 1.01));
}

TEST(PropertyValue, RotationTurnsTheShortWayWithoutShrinking) {
    const double pi = std::numbers::pi;
    QTransform from, to, mid;
    from.rotateRadians(170.0 / 180.0 * pi);
    to.rotateRadians(-170.0 / 180.0 * pi);
    mid.rotateRadians(pi);
    expectNear(at(from, to, 0.5), mid);
    QTransform quarter;
    quarter.rotateRadians(pi / 4);
    QTransform half;
    half.rotateRadians(pi / 2);
    const QTransform m = at(QTransform(), half, 0.5);
    expectNear(m, quarter);
}

TEST(PropertyValue, EndsAreExactForEveryKindOfTransform) {
    QTransform rotated;
    rotated.translate(12, -7).rotate(33).scale(1.5, 0.8);
    const QTransform mirrored = QTransform::fromScale(-1, 1) * QTransform::fromTranslate(4, 5);
    const QTransform sheared(1.0, 0.0, 0.4, 1.0, 3.0, 0.0);
    const QTransform translatedAndScaled =
        QTransform::fromScale(1.03, 1.03) * QTransform::fromTranslate(7, -2);
    for (const QTransform& t : {rotated, mirrored, sheared, translatedAndScaled}) {
        expectNear(at(QTransform(), t, 1.0), t);
        expectNear(at(t, QTransform(), 0.0), t);
    }
}

} // namespace
} // namespace vellaro
