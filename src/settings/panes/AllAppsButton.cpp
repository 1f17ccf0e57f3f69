#include "settings/panes/AllAppsButton.h"

#include "model/SymbolCatalog.h"
#include "ui/KitPaint.h"
#include "ui/VelPressStyle.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

namespace vellaro {

namespace {
const QString label = QStringLiteral("All Apps");
QFont labelFont() {
    return KitPaint::font(11.5, QFont::Medium);
}
constexpr double chevronSize = 8;
constexpr double shadowRoom = 3;
} // namespace

AllAppsButton::AllAppsButton(const Pal& pal, QWidget* parent) : KitButton(pal, parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void AllAppsButton::setActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    update();
}

QSize AllAppsButton::sizeHint() const {
    const QFontMetricsF metrics(labelFont());
    const double width = 10 + metrics.horizontalAdvance(label) + 5 + chevronSize + 10;
    const double height = 6.5 + metrics.height() + 6.5;
    return QSizeF(width + 2 * shadowRoom, height + 2 * shadowRoom).toSize();
}

void AllAppsButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setOpacity(active_ ? 1.0 : 0.4);
    VelPressStyle::apply(painter, pressed());
    const QRectF chip =
        QRectF(rect()).adjusted(shadowRoom, shadowRoom - 1, -shadowRoom, -shadowRoom - 1);
    const QPainterPath shape = KitPaint::roundedRect(chip, 8);
    KitPaint::shadow(painter, shape, QColor(0, 0, 0, 31), 2, {0, 1});
    QLinearGradient fill(chip.topLeft(), chip.bottomLeft());
    fill.setColorAt(0, pal().chipTop);
    fill.setColorAt(1, pal().chip);
    KitPaint::fillAndStroke(painter, shape, fill, pal().line);

    const QFont font = labelFont();
    const double textWidth = QFontMetricsF(font).horizontalAdvance(label);
    painter.setFont(font);
    painter.setPen(pal().ink);
    painter.drawText(QRectF(chip.left() + 10, chip.top(), textWidth + 1, chip.height()),
                     Qt::AlignVCenter | Qt::AlignLeft, label);
    const qreal ratio = devicePixelRatioF();
    QImage chevron = SymbolCatalog::image(QStringLiteral("chevron.down"),
                                          qRound(chevronSize * ratio), pal().ink);
    chevron.setDevicePixelRatio(ratio);
    painter.drawImage(
        QPointF(chip.left() + 10 + textWidth + 5, chip.center().y() - chevronSize / 2), chevron);
}

} // namespace vellaro
