#pragma once

#include "model/SectionKind.h"
#include "model/SectionProvider.h"

#include <memory>

namespace vellaro::dialshot {

// Believable content for each section, so fans show something.
std::unique_ptr<SectionProvider> makeSampleProvider(SectionKind kind, int itemCount);

} // namespace vellaro::dialshot
