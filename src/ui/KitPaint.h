#pragma once

#include "model/Pal.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QPointF>

class QPainter;

namespace vellaro {

// Drawing shared by the console control kit. Sizes are points, which are
// logical pixels.
namespace KitPaint {

// The system font at `points`, monospaced when asked.
QFont font(double points, QFont::Weight weight = QFont::Normal, bool mono = false);

QPainterPath roundedRect(const QRectF& rect, double radius);

// A soft shadow of `path` in `color`, spread over `radius` and moved by
// `offset`; a clear colour draws nothing.
void shadow(QPainter& painter, const QPainterPath& path, const QColor& color, double radius,
            QPointF offset);

// Fills `path`, then strokes it with a centred 1-point line; clear colours
// draw nothing.
void fillAndStroke(QPainter& painter, const QPainterPath& path, const QBrush& fill,
                   const QColor& stroke);

// A chip's frame: its shadow (the accent glow while active), the chip
// gradient unless `filled` is false, and a border wholly inside the edge,
// in the accent while active and dashed when asked.
struct ChipFrame {
    bool active = false;
    bool dashed = false;
    bool filled = true;
};
void chipFrame(QPainter& painter, const QRectF& chip, double radius, const Pal& pal,
               const ChipFrame& frame);

} // namespace KitPaint

} // namespace vellaro
