#include "settings/kit/FloatingLabel.h"

#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

FloatingLabel::FloatingLabel(const Pal& pal, Look look, QWidget* parent)
    : KitWidget(pal, parent), look_(std::move(look)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

FloatingLabel::Look FloatingLabel::coachLook() {
    return {11,
            QFont::Normal,
            12,
            6,
            9,
            [](const Pal& p) { return p.ink; },
            [](const Pal& p) { return p.accentSoft; },
            [](const Pal& p) { return p.accent; },
            [](const Pal&) { return QColor(Qt::transparent); }};
}

FloatingLabel::Look FloatingLabel::chipLook() {
    return {11,
            QFont::Medium,
            10,
            5,
            8,
            [](const Pal& p) { return p.accent; },
            [](const Pal& p) { return p.accentSoft; },
            [](const Pal& p) { return p.accent; },
            [](const Pal& p) { return p.glow; },
            6};
}

void FloatingLabel::setText(const QString& text) {
    text_ = text;
    resize(sizeHint());
    update();
}

QSize FloatingLabel::sizeHint() const {
    const QFontMetricsF metrics(KitPaint::font(look_.points, look_.weight));
    return QSize(int(std::ceil(metrics.horizontalAdvance(text_) + 2 * look_.padX)) + 2 * margin,
                 int(std::ceil(metrics.height() + 2 * look_.padY)) + 2 * margin);
}

void FloatingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
    const QPainterPath shape = KitPaint::roundedRect(body, look_.radius);
    KitPaint::shadow(painter, shape, look_.glow(pal()), look_.glowRadius, {0, 1});
    KitPaint::fillAndStroke(painter, shape, look_.fill(pal()), look_.stroke(pal()));
    painter.setFont(KitPaint::font(look_.points, look_.weight));
    painter.setPen(look_.text(pal()));
    painter.drawText(body, Qt::AlignCenter, text_);
}

} // namespace vellaro
