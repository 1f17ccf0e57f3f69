#include "settings/kit/ContextPanelIconTile.h"

#include "model/SymbolCatalog.h"
#include "ui/KitPaint.h"
#include "ui/WaypointMark.h"

#include <QPainter>

namespace vellaro {

ContextPanelIconTile::ContextPanelIconTile(const Pal& pal, QString symbol, QWidget* parent)
    : KitWidget(pal, parent), symbol_(std::move(symbol)) {
    setFixedSize(32, 32);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ContextPanelIconTile::setSymbol(const QString& symbol) {
    symbol_ = symbol;
    update();
}

void ContextPanelIconTile::paintEvent(QPaintEvent*) {
    // Drawn again only when the symbol (or the palette or size) changes.
    cache_.paint(*this, pal(), symbol_, [this](QPainter& painter) { draw(painter); });
}

void ContextPanelIconTile::draw(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(KitPaint::roundedRect(rect(), 9), pal().accentSoft);
    if (symbol_.isEmpty()) {
        QRectF mark(0, 0, 17, 17);
        mark.moveCenter(QRectF(rect()).center());
        WaypointMark::paint(painter, mark, pal().accent, pal().accent, 1.6);
        return;
    }
    const qreal ratio = painter.device()->devicePixelRatioF();
    const int side = 16;
    QImage image = SymbolCatalog::image(symbol_, qRound(side * ratio), pal().accent);
    image.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF((width() - side) / 2.0, (height() - side) / 2.0), image);
}

} // namespace vellaro
