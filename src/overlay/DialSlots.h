#pragma once

#include "model/SectionKind.h"

#include <optional>
#include <vector>

namespace vellaro {

// The ring's slots: the sections in order, with an empty ghost slot inserted
// while a section from the console's library hovers over a gap. Looks are
// applied by slot, so a section index must be mapped before styling.
namespace DialSlots {

using Slot = std::optional<SectionKind>;

std::vector<Slot> make(const std::vector<SectionKind>& sections, std::optional<int> ghost);
// The slot that shows section `section`; none for an index off the dial.
std::optional<int> slotOf(std::optional<int> section, int sectionCount, std::optional<int> ghost);
// The section slot `slot` shows; none for the ghost or a slot off the dial.
std::optional<int> sectionAt(int slot, int sectionCount, std::optional<int> ghost);

} // namespace DialSlots

} // namespace vellaro
