#include "overlay/DialSlots.h"

#include <algorithm>

namespace vellaro::DialSlots {

std::vector<Slot> make(const std::vector<SectionKind>& sections, std::optional<int> ghost) {
    std::vector<Slot> slots(sections.begin(), sections.end());
    if (ghost) {
        const int at = std::clamp(*ghost, 0, int(slots.size()));
        slots.insert(slots.begin() + at, std::nullopt);
    }
    return slots;
}

std::optional<int> slotOf(std::optional<int> section, int sectionCount, std::optional<int> ghost) {
    if (!section || *section < 0 || *section >= sectionCount)
        return std::nullopt;
    if (ghost && *section >= std::clamp(*ghost, 0, sectionCount))
        return *section + 1;
    return section;
}

std::optional<int> sectionAt(int slot, int sectionCount, std::optional<int> ghost) {
    const int slotCount = sectionCount + (ghost ? 1 : 0);
    if (slot < 0 || slot >= slotCount)
        return std::nullopt;
    if (!ghost)
        return slot;
    const int at = std::clamp(*ghost, 0, sectionCount);
    if (slot == at)
        return std::nullopt;
    return slot > at ? slot - 1 : slot;
}

} // namespace vellaro::DialSlots
