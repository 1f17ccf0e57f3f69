#pragma once

#include "model/SectionKind.h"
#include "model/SectionProvider.h"

#include <memory>

namespace vellaro {

// Makes the provider of each dial section for the shared data source; main
// installs it before the data source is first used. A section whose
// provider is not part of this build gets an empty one.
std::unique_ptr<SectionProvider> makeSectionProvider(SectionKind kind);

} // namespace vellaro
