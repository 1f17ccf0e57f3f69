#pragma once

#include "model/SectionProvider.h"

namespace vellaro {

// The provider of a section whose content does not exist yet: it honestly
// has no items, nothing to refresh and nothing to remove.
class EmptySectionProvider final : public SectionProvider {
public:
    std::vector<MenuItem> items() override { return {}; }
};

} // namespace vellaro
