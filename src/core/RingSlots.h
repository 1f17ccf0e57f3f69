#pragma once

#include "core/LibraryDropTarget.h"
#include "core/Point.h"
#include "core/RadialLayout.h"

#include <cstdint>
#include <optional>

namespace vellaro {

// The ring's slots as a drag sees them: the sections clockwise from twelve
// o'clock, with one empty ghost slot inserted while a library section hovers
// over a gap.
namespace RingSlots {

struct Position {
    std::int64_t slot = 0; // 0...slotCount-1
    double fraction = 0;   // how far through that slot, clockwise, in [0, 1)

    friend bool operator==(const Position&, const Position&) = default;
};

// The slot under `angle` (radians clockwise from twelve o'clock) on a ring of
// `slotCount` equal slots, slot 0 centred at twelve o'clock. A count below 1
// counts as one slot.
Position position(double angle, std::int64_t slotCount);

// A dial of this many sections takes one more: the ring never holds more than
// seven slots, ghost included.
bool acceptsInsertion(std::int64_t sectionCount);

// The drop target for a library section at `angle` over a dial of
// `sectionCount` sections showing a ghost slot at `ghost`. The first and last
// 27% of a slot insert before or after it; its middle replaces its section,
// or keeps the ghost when it is the ghost slot. A ghost outside
// 0...sectionCount, or on a dial that takes no insertion, counts as none.
LibraryDropTarget libraryTarget(double angle, std::int64_t sectionCount,
                                std::optional<std::int64_t> ghost);

// The same for a point of the layout plane; no target outside the drop band.
LibraryDropTarget libraryTarget(Point point, Point center, const RadialLayout& layout, double scale,
                                std::int64_t sectionCount, std::optional<std::int64_t> ghost);

} // namespace RingSlots

} // namespace vellaro
