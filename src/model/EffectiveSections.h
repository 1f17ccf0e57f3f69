#pragma once

#include "model/SectionKind.h"

#include <cstddef>
#include <vector>

namespace vellaro {

struct VellaroSettings;

// A dial never holds more sections than this.
inline constexpr std::size_t maximumDialSections = 7;

// The sections the dial shows: the custom list when the arrangement is custom
// and the list holds at least two entries (its first seven), else the
// standard six. The dial, the data source, the console and the panel all use it.
std::vector<SectionKind> effectiveSections(const VellaroSettings& settings);

} // namespace vellaro
