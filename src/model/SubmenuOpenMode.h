#pragma once

#include "model/EnumRawValue.h"

namespace vellaro {

// How a section's fan opens: `hover` also opens it after the pointer rests on
// the section for the hover delay; `click` never opens it by resting.
enum class SubmenuOpenMode { hover, click };

template <>
struct EnumRawValues<SubmenuOpenMode> {
    static constexpr std::array<const char*, 2> names{"hover", "click"};
};

} // namespace vellaro
