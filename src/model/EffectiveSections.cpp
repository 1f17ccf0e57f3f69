#include "model/EffectiveSections.h"

#include "model/VellaroSettings.h"

namespace vellaro {

std::vector<SectionKind> effectiveSections(const VellaroSettings& settings) {
    const auto& custom = settings.customSections;
    if (settings.arrangement != DialArrangement::custom || custom.size() < 2)
        return standardSections();
    const auto count = std::min(custom.size(), maximumDialSections);
    return {custom.begin(), custom.begin() + static_cast<std::ptrdiff_t>(count)};
}

} // namespace vellaro
