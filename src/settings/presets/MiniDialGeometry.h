#pragma once

#include <QPainterPath>
#include <QPointF>

#include <cstddef>

namespace vellaro {

// The shapes of a miniature dial in a square of side `side`: equal wedges
// around a core disc, wedge 0 centred on twelve o'clock, neighbours standing
// `gap` apart along both arcs. Fewer than two sections still draw two wedges.
struct MiniDialGeometry {
    MiniDialGeometry(std::size_t sections, double side);

    double side;
    int wedges;
    double outer; // 0.46 of the side
    double inner; // 0.19 of the side
    double slice; // radians per wedge
    double gap;   // 0.02 of the side, at least 1.2 points

    QPointF center() const { return {side / 2, side / 2}; }
    // Angle clockwise from twelve o'clock.
    QPointF point(double angle, double distance) const;
    QPainterPath wedge(int index) const;
    double coreRadius() const { return 0.72 * inner; }
    QPointF symbolCenter(int index) const { return point(index * slice, 0.325 * side); }
    double symbolSize() const { return 0.075 * side; }
};

} // namespace vellaro
