#include "ui/KitWaypointMark.h"

#include "model/WaypointMark.h"

#include <QPainter>

namespace vellaro {

KitWaypointMark::KitWaypointMark(const Pal& pal, qreal lineWidth, QWidget* parent)
    : KitWidget(pal, parent), lineWidth_(lineWidth) {}

void KitWaypointMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    WaypointMark{pal().ink, pal().accent, lineWidth_}.paint(painter, rect());
}

} // namespace vellaro
