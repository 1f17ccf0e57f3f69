#include "updates/UpdateButton.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace vellaro {

namespace {

constexpr qreal radius = 8;
constexpr qreal shadowRoom = 5; // the glow's reach around the label

// A soft shadow: the shape drawn a few times, wider and fainter.
void paintShadow(QPainter& painter, const QRectF& shape, const QColor& color, qreal blur,
                 qreal dy) {
    const int steps = 4;
    for (int i = steps; i >= 1; --i) {
        const qreal grow = blur * i / steps;
        QColor layer = color;
        layer.setAlphaF(color.alphaF() / (steps + 1));
        painter.setPen(Qt::NoPen);
        painter.setBrush(layer);
        painter.drawRoundedRect(shape.adjusted(-grow, -grow + dy, grow, grow + dy), radius + grow,
                                radius + grow);
    }
}

} // namespace

UpdateButton::UpdateButton(Kind kind, const QString& title, const Pal& pal, QWidget* parent)
    : QAbstractButton(parent), kind_(kind), pal_(pal) {
    setText(title);
    QFont font = this->font();
    font.setPointSizeF(11.5);
    font.setWeight(kind == Kind::primary ? QFont::DemiBold : QFont::Medium);
    setFont(font);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QMarginsF UpdateButton::padding() const {
    const qreal sides = kind_ == Kind::primary ? 14 : 12;
    return {sides, 6.5, sides, 6.5};
}

QSize UpdateButton::sizeHint() const {
    const QFontMetricsF metrics(font());
    const QMarginsF pad = padding();
    return QSize(int(std::ceil(metrics.horizontalAdvance(text()) + pad.left() + pad.right() +
                               2 * shadowRoom)),
                 int(std::ceil(metrics.height() + pad.top() + pad.bottom() + 2 * shadowRoom)));
}

void UpdateButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF shape = QRectF(rect()).adjusted(shadowRoom, shadowRoom, -shadowRoom, -shadowRoom);
    if (kind_ == Kind::primary) {
        paintShadow(painter, shape, pal_.glow, 5, 1);
        painter.setBrush(isDown() ? pal_.accent.darker(115) : pal_.accent);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(shape, radius, radius);
        painter.setPen(Qt::white);
    } else {
        paintShadow(painter, shape, QColor::fromRgbF(0, 0, 0, 0.12f), 2, 1);
        QLinearGradient fill(shape.topLeft(), shape.bottomLeft());
        fill.setColorAt(0, pal_.chipTop);
        fill.setColorAt(1, pal_.chip);
        painter.setBrush(fill);
        painter.setPen(QPen(pal_.line, 1));
        painter.drawRoundedRect(shape.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        painter.setPen(isDown() ? pal_.muted : pal_.ink);
    }
    painter.setFont(font());
    painter.drawText(shape, Qt::AlignCenter, text());
}

} // namespace vellaro
