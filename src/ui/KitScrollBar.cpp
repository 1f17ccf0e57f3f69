#include "ui/KitScrollBar.h"

#include "ui/KitPaint.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace vellaro {

namespace {

constexpr double handleWidth = 6;

QString rectText(const QRectF& r) {
    return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

KitScrollBar::KitScrollBar(const Pal& pal, Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent), pal_(pal) {}

void KitScrollBar::setPal(const Pal& pal) {
    if (pal == pal_)
        return;
    pal_ = pal;
    update();
}

QSize KitScrollBar::sizeHint() const {
    const QSize natural = QScrollBar::sizeHint();
    return orientation() == Qt::Vertical ? QSize(thickness, natural.height())
                                         : QSize(natural.width(), thickness);
}

QRectF KitScrollBar::handleRect() const {
    if (maximum() <= minimum())
        return {};
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRectF slider =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    if (orientation() == Qt::Vertical)
        return QRectF(slider.center().x() - handleWidth / 2, slider.top() + 2, handleWidth,
                      std::max(slider.height() - 4, handleWidth));
    return QRectF(slider.left() + 2, slider.center().y() - handleWidth / 2,
                  std::max(slider.width() - 4, handleWidth), handleWidth);
}

void KitScrollBar::paintEvent(QPaintEvent*) {
    const QRectF handle = handleRect();
    cache_.paint(*this, pal_, rectText(handle), [this, handle](QPainter& painter) {
        if (handle.isEmpty())
            return;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal_.muted);
        painter.setOpacity(0.5);
        painter.drawPath(KitPaint::roundedRect(handle, handleWidth / 2));
    });
}

} // namespace vellaro
