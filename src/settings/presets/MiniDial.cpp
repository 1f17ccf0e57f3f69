#include "settings/presets/MiniDial.h"

#include "model/SymbolCatalog.h"
#include "settings/presets/MiniDialGeometry.h"

#include <QPainter>

#include <cmath>

namespace vellaro {

MiniDial::MiniDial(const Pal& pal, std::vector<SectionKind> sections, bool showsIcons,
                   QWidget* parent)
    : KitWidget(pal, parent), sections_(std::move(sections)), showsIcons_(showsIcons) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MiniDial::setSections(std::vector<SectionKind> sections) {
    if (sections == sections_)
        return;
    sections_ = std::move(sections);
    update();
}

void MiniDial::paintEvent(QPaintEvent*) {
    const double side = std::min(width(), height());
    const MiniDialGeometry geometry(sections_.size(), side);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate((width() - side) / 2, (height() - side) / 2);
    QColor faint = pal().ink;
    faint.setAlphaF(0.16f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(faint);
    for (int i = 0; i < geometry.wedges; ++i)
        painter.drawPath(geometry.wedge(i));
    painter.drawEllipse(geometry.center(), geometry.coreRadius(), geometry.coreRadius());
    if (!showsIcons_)
        return;
    const int pixels =
        std::max(1, static_cast<int>(std::lround(geometry.symbolSize() * devicePixelRatioF())));
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        QImage symbol = SymbolCatalog::image(sectionSymbol(sections_[i]), pixels, pal().ink);
        symbol.setDevicePixelRatio(devicePixelRatioF());
        QRectF frame(QPointF(), QSizeF(geometry.symbolSize(), geometry.symbolSize()));
        frame.moveCenter(geometry.symbolCenter(static_cast<int>(i)));
        painter.drawImage(frame, symbol);
    }
}

} // namespace vellaro
