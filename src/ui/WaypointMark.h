#pragma once

#include "ui/KitWidget.h"

#include <QColor>
#include <QRectF>

class QPainter;

namespace vellaro {

// The program's logo mark: an open ring with a dot in its gap, at any size.
// As a widget it follows its window's palette, the ring in ink and the dot
// in the accent; `paint` draws it into anything else (tiles, turning marks).
class WaypointMark : public KitWidget {
    Q_OBJECT
public:
    WaypointMark(const Pal& pal, qreal lineWidth, QWidget* parent = nullptr);

    // The square the mark keeps inside `frame`: centred, as large as fits.
    static QRectF square(const QRectF& frame);
    // `lineWidth` is the ring's stroke, in points.
    static void paint(QPainter& painter, const QRectF& frame, const QColor& ink,
                      const QColor& accent, qreal lineWidth);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal lineWidth_;
};

} // namespace vellaro
