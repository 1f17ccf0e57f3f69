#include "onboarding/HapticsSetupButton.h"

#include "ui/KitPaint.h"
#include "ui/VelPressStyle.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

namespace {

// Room around the accent button for its glow.
constexpr int margin = 6;

} // namespace

HapticsSetupButton::HapticsSetupButton(const Pal& pal, Style style, QString label, QWidget* parent)
    : KitButton(pal, parent), style_(style), label_(std::move(label)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

QFont HapticsSetupButton::font() const {
    return KitPaint::font(11.5, style_ == Style::accent ? QFont::DemiBold : QFont::Medium);
}

QSizeF HapticsSetupButton::padding() const {
    return {style_ == Style::accent ? 16.0 : 12.0, 6.5};
}

QSize HapticsSetupButton::sizeHint() const {
    const QFontMetricsF metrics(font());
    return QSize(int(std::ceil(metrics.horizontalAdvance(label_) + 2 * padding().width())) +
                     2 * margin,
                 int(std::ceil(metrics.height() + 2 * padding().height())) + 2 * margin);
}

QRectF HapticsSetupButton::clickArea() const {
    return QRectF(rect()).adjusted(margin, margin, -margin, -margin);
}

void HapticsSetupButton::changeEvent(QEvent* event) {
    KitButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void HapticsSetupButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.4);
    VelPressStyle::apply(painter, pressed());
    const QRectF body = clickArea();
    if (style_ == Style::accent) {
        const QPainterPath shape = KitPaint::roundedRect(body, 8);
        KitPaint::shadow(painter, shape, pal().glow, 5, {0, 1});
        painter.fillPath(shape, pal().accent);
    }
    painter.setFont(font());
    painter.setPen(style_ == Style::accent ? QColor(Qt::white) : pal().muted);
    painter.drawText(body, Qt::AlignCenter, label_);
}

} // namespace vellaro
