#include "updates/WaypointMarkView.h"

#include <QPainter>

namespace vellaro {

WaypointMarkView::WaypointMarkView(const WaypointMark& mark, int side, QWidget* parent)
    : QWidget(parent), mark_(mark) {
    setFixedSize(side, side);
}

void WaypointMarkView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    mark_.paint(painter, QRectF(rect()));
}

} // namespace vellaro
