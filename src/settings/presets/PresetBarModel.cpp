#include "settings/presets/PresetBarModel.h"

#include <algorithm>

namespace vellaro {

PresetBarModel::PresetBarModel(const std::vector<SectionKind>& current,
                               const std::vector<DialPreset>& userPresets)
    : customDetail(sectionCount(current.size())) {
    const std::vector<DialPreset>& builtIns = DialPreset::builtIns();
    chips.reserve(builtIns.size() + userPresets.size());
    for (const DialPreset& preset : builtIns)
        chips.push_back({preset, true, false, sectionCount(preset.sections.size())});
    for (const DialPreset& preset : userPresets) {
        const bool builtIn = isBuiltIn(preset);
        chips.push_back({preset, builtIn, false,
                         sectionCount(preset.sections.size()) +
                             (builtIn ? QString() : QStringLiteral(" · yours"))});
    }
    const auto active =
        std::ranges::find(chips, current, [](const Chip& c) { return c.preset.sections; });
    if (active == chips.end())
        return;
    activeId = active->preset.id;
    for (Chip& chip : chips)
        chip.active = chip.preset.id == *activeId;
}

bool PresetBarModel::sameChips(const PresetBarModel& other) const {
    return std::ranges::equal(chips, other.chips,
                              [](const Chip& a, const Chip& b) { return a.preset == b.preset; });
}

bool PresetBarModel::isBuiltIn(const DialPreset& preset) {
    return std::ranges::any_of(DialPreset::builtIns(),
                               [&](const DialPreset& b) { return b.id == preset.id; });
}

QString PresetBarModel::sectionCount(std::size_t count) {
    return QStringLiteral("%1 sections").arg(count);
}

} // namespace vellaro
