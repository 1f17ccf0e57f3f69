#include "ui/WaypointMark.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace vellaro {

WaypointMark::WaypointMark(const Pal& pal, qreal lineWidth, QWidget* parent)
    : KitWidget(pal, parent), lineWidth_(lineWidth) {}

void WaypointMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, rect(), pal().ink, pal().accent, lineWidth_);
}

QRectF WaypointMark::square(const QRectF& frame) {
    const qreal side = std::min(frame.width(), frame.height());
    QRectF square(0, 0, side, side);
    square.moveCenter(frame.center());
    return square;
}

void WaypointMark::paint(QPainter& painter, const QRectF& frame, const QColor& ink,
                         const QColor& accent, qreal lineWidth) {
    const QRectF box = square(frame);
    const qreal side = box.width();
    if (side <= 0)
        return;
    const QPointF centre = box.center();
    const qreal radius = 0.4 * side;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    // 300 degrees clockwise on screen from -15 degrees, leaving a 60-degree
    // gap centred on the upper-right diagonal. Qt counts angles the other way.
    QPainterPath ring;
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    ring.arcMoveTo(circle, 15);
    ring.arcTo(circle, 15, -300);
    QPen pen(ink, lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(ring);

    // The dot sits in the middle of the gap, on the ring's centre line.
    const qreal dotRadius = 0.125 * side;
    const QPointF dot(centre.x() + 0.7071 * radius, centre.y() - 0.7071 * radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawEllipse(dot, dotRadius, dotRadius);

    painter.restore();
}

} // namespace vellaro
