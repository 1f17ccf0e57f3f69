#include "updates/ProgressCapsule.h"

#include <QPainter>

#include <algorithm>

namespace vellaro {

ProgressCapsule::ProgressCapsule(const Pal& pal, int height, QWidget* parent)
    : QWidget(parent), pal_(pal) {
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    animation_.setDuration(200);
    animation_.setEasingCurve(QEasingCurve::OutCubic);
    connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        displayed_ = value.toReal();
        update();
    });
}

qreal ProgressCapsule::shown(std::optional<double> fraction) {
    return fraction ? std::clamp(*fraction, 0.0, 1.0) : 0.08;
}

void ProgressCapsule::setFraction(std::optional<double> fraction) {
    fraction_ = fraction;
    const qreal target = shown(fraction);
    animation_.stop();
    if (!isVisible()) {
        displayed_ = target;
        return;
    }
    animation_.setStartValue(displayed_);
    animation_.setEndValue(target);
    animation_.start();
}

qreal ProgressCapsule::barWidth() const {
    return std::max<qreal>(6, width() * shown(fraction_));
}

void ProgressCapsule::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal round = track.height() / 2;
    painter.setBrush(pal_.well);
    painter.setPen(QPen(pal_.line, 1));
    painter.drawRoundedRect(track, round, round);
    QRectF bar = QRectF(rect());
    bar.setWidth(std::max<qreal>(6, width() * displayed_));
    QColor glow = pal_.glow;
    glow.setAlphaF(glow.alphaF() / 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawRoundedRect(bar.adjusted(-1.5, -1.5, 1.5, 1.5), round + 1.5, round + 1.5);
    painter.setBrush(pal_.accent);
    painter.drawRoundedRect(bar, bar.height() / 2, bar.height() / 2);
}

} // namespace vellaro
