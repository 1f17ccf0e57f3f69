#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace vellaro {

// The program's logo mark: an open ring with a dot in its gap, at any size,
// in two colours of a palette. Drawn with QPainter so widgets, layers and
// images can all show it.
struct WaypointMark {
    QColor ink;          // the ring
    QColor accent;       // the dot
    qreal lineWidth = 2; // the ring's stroke, in points

    // The square the mark keeps inside `frame`: centred, as large as fits.
    static QRectF square(const QRectF& frame);

    void paint(QPainter& painter, const QRectF& frame) const;
};

} // namespace vellaro
