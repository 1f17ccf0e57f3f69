#include "onboarding/HapticsSetupArt.h"

#include "model/SymbolCatalog.h"

#include <QPainter>
#include <QVariantAnimation>
#include <cmath>
#include <numbers>

namespace vellaro {

namespace {

constexpr int symbolSide = 52;
constexpr int wiggleMs = 2400;
constexpr double wiggleDegrees = 9;
// The share of each cycle spent shaking; the rest is still.
constexpr double shakeShare = 0.3;

constexpr double ringSide = 54, ringWidth = 3, dotSide = 13, dotOffset = 20;

} // namespace

HapticsMouseSymbol::HapticsMouseSymbol(const Pal& pal, bool reduceMotion, QWidget* parent)
    : QWidget(parent), tint_(pal.accent) {
    setFixedSize(symbolSide + 8, symbolSide + 8);
    if (reduceMotion)
        return;
    wiggle_ = new QVariantAnimation(this);
    wiggle_->setStartValue(0.0);
    wiggle_->setEndValue(1.0);
    wiggle_->setDuration(wiggleMs);
    wiggle_->setLoopCount(-1);
    connect(wiggle_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        const double t = value.toDouble() / shakeShare;
        const double angle =
            t >= 1 ? 0 : wiggleDegrees * std::sin(t * 4 * std::numbers::pi) * (1 - t);
        if (angle == angle_)
            return;
        angle_ = angle;
        update();
    });
}

void HapticsMouseSymbol::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (wiggle_)
        wiggle_->start();
}

void HapticsMouseSymbol::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (wiggle_)
        wiggle_->stop();
}

void HapticsMouseSymbol::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal ratio = devicePixelRatioF();
    if (symbol_.isNull() || symbol_.devicePixelRatio() != ratio) {
        symbol_ = SymbolCatalog::image(QStringLiteral("computermouse"),
                                       int(std::lround(symbolSide * ratio)), tint_);
        symbol_.setDevicePixelRatio(ratio);
    }
    painter.translate(width() / 2.0, height() / 2.0);
    painter.rotate(angle_);
    painter.drawImage(QPointF(-symbolSide / 2.0, -symbolSide / 2.0), symbol_);
}

HapticsBadge::HapticsBadge(const Pal& pal, bool reduceMotion, QWidget* parent)
    : QWidget(parent), ring_(pal.ink), dot_(pal.accent) {
    setFixedSize(int(ringSide) + 2, int(ringSide) + 2);
    if (reduceMotion)
        return;
    auto* grow = new QVariantAnimation(this);
    grow->setStartValue(0.00001);
    grow->setEndValue(1.0);
    grow->setDuration(220);
    grow->setEasingCurve(QEasingCurve::OutCubic);
    connect(grow, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        dotScale_ = value.toDouble();
        update();
    });
    dotScale_ = 0.00001;
    grow->start(QAbstractAnimation::DeleteWhenStopped);
}

void HapticsBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    const double r = (ringSide - ringWidth) / 2;
    painter.setPen(QPen(ring_, ringWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r, r);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot_);
    const double d = dotSide / 2 * dotScale_;
    painter.drawEllipse(centre + QPointF(dotOffset, -dotOffset), d, d);
}

} // namespace vellaro
