#pragma once

#include "model/SectionKind.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace vellaro {

// What a finished drag or a library drop does to the dial's section list:
// the list to show, whether it is saved, and what the console is told.
namespace ArrangementEdit {

// Removing a wedge never leaves fewer sections than this.
inline constexpr std::size_t fewestSections = 2;

struct WedgeDragEnd {
    std::vector<SectionKind> sections; // what the dial shows now
    bool save = false;                 // `sections` is saved as the custom arrangement
    std::optional<QString> message;
    // The list an undo saves back; none when the edit offers no undo.
    std::optional<std::vector<SectionKind>> undo;
};

// A wedge drag released with the dragged section at `index` of `current`
// (reordered live from `before`), `removing` when it was released off the
// ring or on the core.
WedgeDragEnd finishWedgeDrag(const std::vector<SectionKind>& before,
                             const std::vector<SectionKind>& current,
                             std::optional<std::int64_t> index, bool removing);

struct LibraryDrop {
    std::vector<SectionKind> sections; // the new list, to show and save
    QString message;                   // the undo saves the list before the drop
};

// Dropping `section` from the library onto the dial: into the ghost slot at
// `ghost`, else in place of the section at `swap`. None when it changes
// nothing: the section is already on the dial, the dial takes no insertion,
// there is no valid target, or the target holds the same section.
std::optional<LibraryDrop> dropLibrarySection(const std::vector<SectionKind>& sections,
                                              SectionKind section,
                                              std::optional<std::int64_t> ghost,
                                              std::optional<std::int64_t> swap);

} // namespace ArrangementEdit

} // namespace vellaro
