#pragma once

#include "model/EnumRawValue.h"

namespace vellaro {

// Which section list the dial shows: the standard six or the user's own list.
enum class DialArrangement { standard, custom };

template <>
struct EnumRawValues<DialArrangement> {
    static constexpr std::array<const char*, 2> names{"standard", "custom"};
};

} // namespace vellaro
