#include "app/StatusMark.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace vellaro {

QImage StatusMark::draw(double angle, const QColor& ink, qreal devicePixelRatio) {
    const int pixels = static_cast<int>(std::ceil(side * devicePixelRatio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(side / 2.0, side / 2.0);
    constexpr double radius = 6.1;
    // Degrees counter-clockwise from +x, as on paper; Qt's y grows downward,
    // which arcTo's positive-is-counter-clockwise convention already undoes.
    const double gap = 45.0 - angle;

    QPen pen(ink, 1.7);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(ring, gap + 30);
    arc.arcTo(ring, gap + 30, 300);
    painter.drawPath(arc);

    const double rad = gap * std::numbers::pi / 180.0;
    const QPointF dot(centre.x() + radius * std::cos(rad), centre.y() - radius * std::sin(rad));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(dot, 2.1, 2.1);
    return image;
}

QColor StatusMark::inkFor(bool darkPanel) {
    return darkPanel ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace vellaro
