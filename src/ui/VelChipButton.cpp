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
    : KitWidget(pal, parent), look_(look) {
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
    const QPainterPath shape = KitPaint::roundedRect(chip, 8);
    if (look_.active)
        KitPaint::shadow(painter, shape, pal().glow, 6, {0, 1});
    else
        KitPaint::shadow(painter, shape, QColor(0, 0, 0, 31), 2, {0, 1});
    QLinearGradient fill(chip.topLeft(), chip.bottomLeft());
    fill.setColorAt(0, pal().chipTop);
    fill.setColorAt(1, pal().chip);
    painter.fillPath(shape, fill);
    // The stroke lies wholly inside the edge.
    QPen stroke(look_.active ? pal().accent : pal().line, 1.0);
    if (look_.dashed)
        stroke.setDashPattern({3, 3});
    painter.setPen(stroke);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(KitPaint::roundedRect(chip.adjusted(0.5, 0.5, -0.5, -0.5), 7.5));

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
