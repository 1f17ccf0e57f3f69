#pragma once

#include "core/Point.h"
#include "core/RadialLayout.h"

namespace vellaro {

// Where a drag on the dial stands: whether it has started, and whether the
// dragged wedge or fan item would leave the dial on release. Distances are
// from the dial's centre, lengths those of the layout (already scaled), and
// `scale` the dial's size factor for the fixed margins.
namespace DragZones {

// A press becomes a drag once the pointer has moved strictly farther than this.
inline constexpr double wedgeDragStart = 7;
inline constexpr double fanDragStart = 6;

bool passedThreshold(Point press, Point pointer, double threshold);

// Beyond the ring with a margin, or deep in the core.
bool wedgeRemoving(const RadialLayout& layout, double scale, double distance);
// Beyond the fan's outer edge with a margin.
bool fanItemRemoving(const RadialLayout& layout, double scale, double distance);
// The band where a section from the library can land: outside the core's
// middle and not far beyond the ring.
bool inLibraryDropBand(const RadialLayout& layout, double scale, double distance);

} // namespace DragZones

} // namespace vellaro
