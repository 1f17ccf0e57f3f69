#include "settings/panes/AppMatchButton.h"

#include "ui/KitPaint.h"
#include "ui/VelPressStyle.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

namespace vellaro {

AppMatchButton::AppMatchButton(const Pal& pal, QString name, QImage icon, QWidget* parent)
    : KitButton(pal, parent), name_(std::move(name)), icon_(std::move(icon)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void AppMatchButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    VelPressStyle::apply(painter, pressed());
    const QRectF chip = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(chip.topLeft(), chip.bottomLeft());
    fill.setColorAt(0, pal().chipTop);
    fill.setColorAt(1, pal().chip);
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(chip, 9), fill, pal().line);

    const QRectF iconRect(8, (height() - 22) / 2.0, 22, 22);
    if (!icon_.isNull())
        painter.drawImage(iconRect, icon_);
    const QFont pinFont = KitPaint::font(10.5, QFont::DemiBold);
    const QString pin = QStringLiteral("＋ Pin");
    const double pinWidth = QFontMetricsF(pinFont).horizontalAdvance(pin);
    const QRectF pinRect(width() - 8 - pinWidth, 0, pinWidth, height());
    painter.setFont(pinFont);
    painter.setPen(pal().accent);
    painter.drawText(pinRect, Qt::AlignVCenter | Qt::AlignRight, pin);

    const QFont nameFont = KitPaint::font(12.5);
    const QRectF nameRect(iconRect.right() + 9, 0, pinRect.left() - 9 - iconRect.right() - 9,
                          height());
    painter.setFont(nameFont);
    painter.setPen(pal().ink);
    painter.drawText(nameRect, Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetricsF(nameFont).elidedText(name_, Qt::ElideRight, nameRect.width()));
}

} // namespace vellaro
