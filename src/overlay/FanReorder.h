#pragma once

#include "model/SectionKind.h"

#include <cstdint>

namespace vellaro {

// Which items of an open fan may be dragged: a section's saved entries lead
// its fan (pinned apps, saved workspaces, visible actions); the items after
// them (add an app, capture a workspace) and every item of the other sections
// stay where they are.
namespace FanReorder {

// Saved apps and workspaces beyond this many do not move.
inline constexpr std::int64_t mostMovableEntries = 7;

// How many leading fan items may be pressed, dragged and dropped onto, for a
// section whose fan leads with `savedEntries` saved entries.
std::int64_t limit(SectionKind section, std::int64_t savedEntries);

// Whether the dragged item, now at `current`, may take position `target` of a
// fan of `count` items.
bool canMove(std::int64_t target, std::int64_t current, std::int64_t limit, std::int64_t count);

} // namespace FanReorder

} // namespace vellaro
