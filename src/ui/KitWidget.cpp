#include "ui/KitWidget.h"

#include "ui/KitPaint.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vellaro {

namespace {

constexpr double ringWidth = 2, ringGap = 2;

} // namespace

KitWidget::KitWidget(const Pal& pal, QWidget* parent) : QWidget(parent), pal_(pal) {
    setFocusPolicy(Qt::NoFocus);
}

void KitWidget::setPal(const Pal& pal) {
    if (pal == pal_)
        return;
    pal_ = pal;
    update();
    // Rows hold other kit widgets, and callers embed theirs: all follow.
    for (KitWidget* inner : findChildren<KitWidget*>()) {
        inner->pal_ = pal;
        inner->update();
    }
}

void KitWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !clickable() ||
        !clickArea().contains(event->position())) {
        event->ignore();
        return;
    }
    pressed_ = true;
    update();
}

void KitWidget::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = clickArea().contains(event->position());
    if (pressed_ && !inside) {
        pressed_ = false;
        update();
    }
}

void KitWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    update();
    if (clickable() && clickArea().contains(event->position()))
        clickedAt(event->position());
}

void KitWidget::takeKeyboardFocus() {
    setFocusPolicy(Qt::TabFocus);
}

QPainterPath KitWidget::focusRing() const {
    const QRectF bounds =
        QRectF(rect()).adjusted(ringWidth / 2, ringWidth / 2, -ringWidth / 2, -ringWidth / 2);
    const QRectF around = clickArea().adjusted(-ringGap, -ringGap, ringGap, ringGap) & bounds;
    return KitPaint::roundedRect(around, 8 + ringGap);
}

bool KitWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // Drawn over whatever the control painted, still inside its paint event.
    if (event->type() == QEvent::Paint && showsFocusRing())
        paintFocusRing();
    return handled;
}

void KitWidget::paintFocusRing() {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor ring = pal_.accent;
    ring.setAlphaF(0.75f);
    painter.setPen(QPen(ring, ringWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(focusRing());
}

void KitWidget::keyPressEvent(QKeyEvent* event) {
    if (focusPolicy() == Qt::NoFocus || !clickable()) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
            keyboardFocus_ = true;
            pressed_ = true;
            update();
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        keyboardFocus_ = true;
        update();
        activate();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void KitWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !pressed_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    pressed_ = false;
    update();
    if (clickable())
        activate();
}

void KitWidget::focusInEvent(QFocusEvent* event) {
    // A click does not focus a control; a window coming back keeps the ring
    // it had.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        keyboardFocus_ = true;
        break;
    case Qt::MouseFocusReason:
        keyboardFocus_ = false;
        break;
    default:
        break;
    }
    update();
    QWidget::focusInEvent(event);
}

void KitWidget::focusOutEvent(QFocusEvent* event) {
    pressed_ = false;
    update();
    QWidget::focusOutEvent(event);
}

} // namespace vellaro
