#include "ui/KitAccentButton.h"

#include "ui/KitPaint.h"
#include "ui/VelPressStyle.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vellaro {

KitAccentButton::KitAccentButton(const Pal& pal, Style style, QString label, QWidget* parent)
    : KitButton(pal, parent), style_(style), label_(std::move(label)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

KitAccentButton::Metrics KitAccentButton::metrics() const {
    switch (style_) {
    case Style::quiet:
        return {11.5, QFont::Medium, {12, 6.5}, 8, 0};
    case Style::filled:
        return {11.5, QFont::DemiBold, {16, 6.5}, 8, 5};
    case Style::tinted:
        return {12.5, QFont::DemiBold, {22, 9}, 10, 8};
    }
    return {};
}

int KitAccentButton::margin() const {
    // Room around the body for the glow and the focus ring.
    return std::max(6, int(std::ceil(metrics().glow)));
}

void KitAccentButton::setLabel(const QString& label) {
    if (label == label_)
        return;
    label_ = label;
    updateGeometry();
    update();
}

void KitAccentButton::click() {
    if (clickable())
        clickedAt(clickArea().center());
}

QSize KitAccentButton::sizeHint() const {
    const Metrics m = metrics();
    const QFontMetricsF text(KitPaint::font(m.points, m.weight));
    return QSize(int(std::ceil(text.horizontalAdvance(label_) + 2 * m.padding.width())) +
                     2 * margin(),
                 int(std::ceil(text.height() + 2 * m.padding.height())) + 2 * margin());
}

QRectF KitAccentButton::clickArea() const {
    const int inset = margin();
    return QRectF(rect()).adjusted(inset, inset, -inset, -inset);
}

void KitAccentButton::changeEvent(QEvent* event) {
    KitButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void KitAccentButton::paintEvent(QPaintEvent*) {
    const Metrics m = metrics();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.4);
    VelPressStyle::apply(painter, pressed());
    const QRectF body = clickArea();
    const QPainterPath shape = KitPaint::roundedRect(body, m.radius);
    QColor ink = pal().muted;
    if (style_ == Style::filled) {
        KitPaint::shadow(painter, shape, pal().glow, m.glow, {0, 1});
        painter.fillPath(shape, pal().accent);
        ink = Qt::white;
    } else if (style_ == Style::tinted) {
        KitPaint::shadow(painter, shape, pal().glow, m.glow, {0, 1});
        // The line lies wholly inside the edge.
        KitPaint::fillAndStroke(
            painter, KitPaint::roundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), m.radius - 0.5),
            pal().accentSoft, pal().accent);
        ink = pal().accent;
    }
    painter.setFont(KitPaint::font(m.points, m.weight));
    painter.setPen(ink);
    painter.drawText(body, Qt::AlignCenter, label_);
}

} // namespace vellaro
