#include "overlay/ArrangementEdit.h"

#include "core/RingSlots.h"

#include <algorithm>

namespace vellaro::ArrangementEdit {

WedgeDragEnd finishWedgeDrag(const std::vector<SectionKind>& before,
                             const std::vector<SectionKind>& current,
                             std::optional<std::int64_t> index, bool removing) {
    const bool onDial = index && *index >= 0 && *index < std::int64_t(current.size());
    if (!removing || !onDial)
        return {current, current != before, std::nullopt, std::nullopt};
    if (current.size() <= fewestSections)
        return {before, false, QStringLiteral("At least two sections stay on the dial"),
                std::nullopt};
    std::vector<SectionKind> shorter = current;
    const SectionKind removed = shorter[std::size_t(*index)];
    shorter.erase(shorter.begin() + *index);
    return {std::move(shorter), true,
            sectionTitle(removed) + QStringLiteral(" returned to the library"), before};
}

std::optional<LibraryDrop> dropLibrarySection(const std::vector<SectionKind>& sections,
                                              SectionKind section,
                                              std::optional<std::int64_t> ghost,
                                              std::optional<std::int64_t> swap) {
    if (std::find(sections.begin(), sections.end(), section) != sections.end())
        return std::nullopt;
    const auto count = std::int64_t(sections.size());
    if (ghost && *ghost >= 0 && RingSlots::acceptsInsertion(count)) {
        std::vector<SectionKind> longer = sections;
        longer.insert(longer.begin() + std::min(count, *ghost), section);
        return LibraryDrop{std::move(longer),
                           sectionTitle(section) + QStringLiteral(" added to the dial")};
    }
    if (swap && *swap >= 0 && *swap < count && sections[std::size_t(*swap)] != section) {
        std::vector<SectionKind> replaced = sections;
        const SectionKind old = replaced[std::size_t(*swap)];
        replaced[std::size_t(*swap)] = section;
        return LibraryDrop{std::move(replaced), sectionTitle(section) +
                                                    QStringLiteral(" replaced ") +
                                                    sectionTitle(old)};
    }
    return std::nullopt;
}

} // namespace vellaro::ArrangementEdit
