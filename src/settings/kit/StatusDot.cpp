#include "settings/kit/StatusDot.h"

#include <QPainter>

namespace vellaro {

StatusDot::StatusDot(bool good, QWidget* parent) : QWidget(parent), good_(good) {
    setFixedSize(7, 7);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StatusDot::setGood(bool good) {
    if (good == good_)
        return;
    good_ = good;
    update();
}

void StatusDot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(good_ ? goodColor() : waitingColor());
    painter.drawEllipse(QRectF(rect()));
}

} // namespace vellaro
