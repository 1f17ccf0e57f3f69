#include "settings/topbar/TopBarText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace vellaro {

TopBarText::TopBarText(const Pal& pal, const QFont& font, QColor Pal::*role, QWidget* parent)
    : KitWidget(pal, parent), font_(font), role_(role) {}

TopBarText::TopBarText(const Pal& pal, const QFont& font, const QColor& fixed, QWidget* parent)
    : KitWidget(pal, parent), font_(font), fixed_(fixed) {}

void TopBarText::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    updateGeometry();
    update();
}

QSize TopBarText::sizeHint() const {
    const QFontMetricsF metrics(font_);
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text_))),
            static_cast<int>(std::ceil(metrics.height()))};
}

void TopBarText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(role_ ? pal().*role_ : fixed_);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text_);
}

} // namespace vellaro
