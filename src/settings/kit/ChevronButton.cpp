#include "settings/kit/ChevronButton.h"

#include "model/SymbolCatalog.h"
#include "ui/VelPressStyle.h"

#include <QPainter>

namespace vellaro {

ChevronButton::ChevronButton(const Pal& pal, QString symbol, bool enabled, QWidget* parent)
    : KitButton(pal, parent), symbol_(std::move(symbol)), active_(enabled) {
    setFixedSize(20, 20);
}

void ChevronButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setOpacity(drawnOpacity());
    VelPressStyle::apply(painter, pressed());
    const qreal ratio = devicePixelRatioF();
    QImage image = SymbolCatalog::image(symbol_, qRound(12 * ratio), pal().muted);
    image.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(4, 4), image);
}

} // namespace vellaro
