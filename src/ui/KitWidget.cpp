#include "ui/KitWidget.h"

#include <QMouseEvent>

namespace vellaro {

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

} // namespace vellaro
