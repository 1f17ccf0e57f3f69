#include "updates/UpdateCheckbox.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace vellaro {

namespace {

constexpr qreal box = 13;
constexpr qreal gap = 6;

} // namespace

UpdateCheckbox::UpdateCheckbox(const QString& label, const Pal& pal, QWidget* parent)
    : QCheckBox(label, parent), pal_(pal) {
    QFont font = this->font();
    font.setPointSizeF(11);
    setFont(font);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize UpdateCheckbox::sizeHint() const {
    const QFontMetricsF metrics(font());
    return QSize(int(std::ceil(box + gap + metrics.horizontalAdvance(text()) + 1)),
                 int(std::ceil(std::max(box + 2, metrics.height()))));
}

void UpdateCheckbox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square(0.5, (height() - box) / 2.0, box, box);
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal_.accent);
        painter.drawRoundedRect(square, 3.5, 3.5);
        QPainterPath tick;
        tick.moveTo(square.left() + 3.2, square.center().y() + 0.2);
        tick.lineTo(square.left() + 5.6, square.bottom() - 3.4);
        tick.lineTo(square.right() - 3, square.top() + 3.4);
        painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    } else {
        painter.setPen(QPen(pal_.muted, 1));
        painter.setBrush(pal_.well);
        painter.drawRoundedRect(square, 3.5, 3.5);
    }
    painter.setPen(pal_.muted);
    painter.setFont(font());
    painter.drawText(QRectF(box + gap, 0, width() - box - gap, height()),
                     Qt::AlignVCenter | Qt::AlignLeft, text());
}

} // namespace vellaro
