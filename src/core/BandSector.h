#pragma once

#include "core/Path.h"
#include "core/Point.h"

namespace vellaro {

// A sector of an annulus with rounded corners, inset by half a gutter on both
// radial sides so neighbours are separated by a straight gap. The outline of
// both the ring's wedges and the fan's items.
struct BandSector {
    double startAngle = 0; // dial angles: from twelve o'clock, clockwise
    double endAngle = 0;
    double innerRadius = 0;
    double outerRadius = 0;
    double halfGutter = 0;
    double cornerLimit = 0;

    // Traced clockwise from the outer circle at the start side, and closed.
    Path path(Point center) const;
};

} // namespace vellaro
