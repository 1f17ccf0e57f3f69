#pragma once

#include <cstdint>
#include <vector>

namespace vellaro {

// The shape of the open dial for the state machine: one item count per
// section, in ring order (index 0 is the section at twelve o'clock).
struct MenuConfiguration {
    std::int64_t sectionCount = 0;
    std::vector<std::int64_t> itemCounts;

    MenuConfiguration() = default;
    // The section count is the length of the list, so the two always agree.
    explicit MenuConfiguration(std::vector<std::int64_t> counts)
        : sectionCount(static_cast<std::int64_t>(counts.size())), itemCounts(std::move(counts)) {}

    bool hasSection(std::int64_t section) const {
        return section >= 0 && section < static_cast<std::int64_t>(itemCounts.size());
    }
    // Item count of a section; 0 for an index outside the configuration.
    std::int64_t itemCount(std::int64_t section) const {
        return hasSection(section) ? itemCounts[static_cast<std::size_t>(section)] : 0;
    }

    friend bool operator==(const MenuConfiguration&, const MenuConfiguration&) = default;
};

} // namespace vellaro
