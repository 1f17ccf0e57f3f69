#include "updates/SmallSpinner.h"

#include <QPainter>

namespace vellaro {

SmallSpinner::SmallSpinner(const QColor& color, QWidget* parent) : QWidget(parent), color_(color) {
    setFixedSize(sizeHint());
    timer_.setInterval(80);
    connect(&timer_, &QTimer::timeout, this, [this] {
        step_ = (step_ + 1) % 12;
        update();
    });
}

void SmallSpinner::showEvent(QShowEvent*) {
    timer_.start();
}

void SmallSpinner::hideEvent(QHideEvent*) {
    timer_.stop();
}

void SmallSpinner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const qreal outer = std::min(width(), height()) / 2.0;
    for (int i = 0; i < 12; ++i) {
        QColor tick = color_;
        tick.setAlphaF(float(0.15 + 0.85 * ((i - step_ + 12) % 12) / 11.0));
        painter.setPen(QPen(tick, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -outer * 0.5), QPointF(0, -outer + 1));
        painter.rotate(30);
    }
}

} // namespace vellaro
