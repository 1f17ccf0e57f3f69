#include "ui/KitPaint.h"

#include "overlay/DialFont.h"

#include <QFontDatabase>
#include <QPainter>
#include <cmath>

namespace vellaro::KitPaint {

QFont font(double points, QFont::Weight weight, bool mono) {
    QFont font = widgetFont(points, weight);
    if (mono) {
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setFamilies(fixed.families());
        font.setStyleHint(QFont::Monospace);
    }
    return font;
}

QPainterPath roundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    const double r = std::min({radius, rect.width() / 2, rect.height() / 2});
    path.addRoundedRect(rect, r, r);
    return path;
}

void shadow(QPainter& painter, const QPainterPath& path, const QColor& color, double radius,
            QPointF offset) {
    if (color.alpha() == 0 || radius <= 0)
        return;
    // Rings of falling opacity around the shape stand in for a blur.
    const int rings = std::max(2, int(std::ceil(radius)));
    painter.save();
    // Only the halo outside the shape shows, as under a translucent fill.
    QPainterPath outside;
    outside.addRect(path.boundingRect()
                        .adjusted(-2 * radius - 2, -2 * radius - 2, 2 * radius + 2, 2 * radius + 2)
                        .translated(offset));
    painter.setClipPath(outside.subtracted(path), Qt::IntersectClip);
    painter.translate(offset);
    painter.setBrush(Qt::NoBrush);
    for (int i = rings; i >= 1; --i) {
        QColor ring = color;
        const double share = 1.0 - double(i) / (rings + 1);
        ring.setAlphaF(float(color.alphaF() * share * share * 2.0 / rings));
        painter.setPen(
            QPen(ring, 2.0 * i * radius / rings, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.fillPath(path, color);
    painter.restore();
}

void fillAndStroke(QPainter& painter, const QPainterPath& path, const QBrush& fill,
                   const QColor& stroke) {
    painter.fillPath(path, fill);
    if (stroke.alpha() == 0)
        return;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(stroke, 1.0));
    painter.drawPath(path);
    painter.restore();
}

void chipFrame(QPainter& painter, const QRectF& chip, double radius, const Pal& pal,
               const ChipFrame& frame) {
    const QPainterPath shape = roundedRect(chip, radius);
    if (frame.active)
        shadow(painter, shape, pal.glow, 6, {0, 1});
    else
        shadow(painter, shape, QColor(0, 0, 0, 31), 2, {0, 1});
    if (frame.filled) {
        QLinearGradient fill(chip.topLeft(), chip.bottomLeft());
        fill.setColorAt(0, pal.chipTop);
        fill.setColorAt(1, pal.chip);
        painter.fillPath(shape, fill);
    }
    QPen stroke(frame.active ? pal.accent : pal.line, 1.0);
    if (frame.dashed)
        stroke.setDashPattern({3, 3});
    painter.save();
    painter.setPen(stroke);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(roundedRect(chip.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5));
    painter.restore();
}

} // namespace vellaro::KitPaint
