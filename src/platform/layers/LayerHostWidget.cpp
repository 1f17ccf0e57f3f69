#include "platform/layers/LayerHostWidget.h"

#include "platform/layers/Transaction.h"

#include <QPainter>

namespace vellaro {

LayerHostWidget::LayerHostWidget(Scheduler& scheduler, QWidget* parent)
    : QWidget(parent), scheduler_(scheduler), tree_(scheduler) {
    tree_.setChangeHandler([this] { update(); });
    auto transaction = Transaction::withoutAnimation();
    rootLayer()->setBounds(QRectF(QPointF(0, 0), QSizeF(size())));
}

LayerHostWidget::~LayerHostWidget() {
    tree_.setChangeHandler({});
    if (tick_)
        scheduler_.cancel(*tick_);
}

void LayerHostWidget::paintEvent(QPaintEvent*) {
    const Scheduler::TimePoint now = scheduler_.now();
    {
        QPainter painter(this);
        renderer_.render(painter, *rootLayer(), now);
    }
    if (tree_.settleAnimations(now))
        scheduleTick();
}

void LayerHostWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    auto transaction = Transaction::withoutAnimation();
    rootLayer()->setBounds(QRectF(QPointF(0, 0), QSizeF(size())));
}

void LayerHostWidget::scheduleTick() {
    if (tick_)
        return;
    tick_ = scheduler_.schedule(frameInterval(), [this] {
        tick_.reset();
        update();
    });
}

} // namespace vellaro
