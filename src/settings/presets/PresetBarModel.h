#pragma once

#include "model/DialPreset.h"

#include <QUuid>
#include <optional>
#include <vector>

namespace vellaro {

// What the preset bar shows for a section list and the user's presets: the
// built-ins then the user's presets, the first one whose sections equal the
// current list active, and a Custom chip when none does.
struct PresetBarModel {
    struct Chip {
        DialPreset preset;
        bool builtIn = false;
        bool active = false;
        QString detail; // "4 sections", " · yours" after a user preset's
    };

    PresetBarModel(const std::vector<SectionKind>& current,
                   const std::vector<DialPreset>& userPresets);

    std::vector<Chip> chips;
    std::optional<QUuid> activeId;
    bool showsCustom() const { return !activeId; }
    QString customDetail;

    // Same presets in the same order (the chips can be restyled in place).
    bool sameChips(const PresetBarModel& other) const;

    static bool isBuiltIn(const DialPreset& preset);
    static QString sectionCount(std::size_t count);
};

} // namespace vellaro
