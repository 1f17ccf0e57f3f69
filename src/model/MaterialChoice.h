#pragma once

#include "model/EnumRawValue.h"

namespace vellaro {

// The dial's background material.
enum class MaterialChoice { frost, matte, clear };

template <>
struct EnumRawValues<MaterialChoice> {
    static constexpr std::array<const char*, 3> names{"frost", "matte", "clear"};
};

} // namespace vellaro
