#include "ui/VelChipButton.h"

#include "model/SymbolCatalog.h"
#include "ui/KitPaint.h"
#include "ui/VelPressStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

namespace {

constexpr double symbolPoints = 10.5;
constexpr double labelPoints = 11.5;
constexpr double gap = 6;
constexpr double padX = 11, padY = 6.5;

} // namespace

VelChipButton::VelChipButton(const Pal& pal, const Look& look, QWidget* parent)
    : KitButton(pal, parent), look_(look) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void VelChipButton::setLook(const Look& look) {
    look_ = look;
    updateGeometry();
    update();
}

QSize VelChipButton::sizeHint() const {
    const QFontMetricsF label(KitPaint::font(labelPoints, QFont::Medium, look_.mono));
    double width = label.horizontalAdvance(look_.label);
    if (!look_.symbol.isEmpty())
        width += symbolPoints + gap;
    const double height = label.height();
    return QSize(int(std::ceil(width + 2 * padX)) + 2 * margin,
                 int(std::ceil(height + 2 * padY)) + 2 * margin);
}

QRectF VelChipButton::chipRect() const {
    return QRectF(rect()).adjusted(margin, margin, -margin, -margin);
}

QColor VelChipButton::textColor() const {
    if (look_.danger)
        return dangerColor();
    return look_.active ? pal().accent : pal().ink;
}

void VelChipButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!look_.disabled) {
        paintChip(painter);
        return;
    }
    // Disabled, the whole chip fades as one, not layer by layer.
    const qreal ratio = devicePixelRatioF();
    QImage layer(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter inner(&layer);
        paintChip(inner);
    }
    painter.setOpacity(0.4);
    painter.drawImage(QPointF(), layer);
}

void VelChipButton::paintChip(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    VelPressStyle::apply(painter, pressed());

    const QRectF chip = chipRect();
    KitPaint::chipFrame(painter, chip, 8, pal(), {look_.active, look_.dashed, true});

    const QColor ink = textColor();
    double x = chip.left() + padX;
    if (!look_.symbol.isEmpty()) {
        const int side = int(std::lround(symbolPoints));
        const QImage symbol = SymbolCatalog::image(look_.symbol, side, ink);
        painter.drawImage(QRectF(x, chip.center().y() - side / 2.0, side, side), symbol);
        x += symbolPoints + gap;
    }
    painter.setFont(KitPaint::font(labelPoints, QFont::Medium, look_.mono));
    painter.setPen(ink);
    painter.drawText(QRectF(x, chip.top(), chip.right() - x, chip.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, look_.label);
}

} // namespace vellaro
