#pragma once

#include "model/EnumRawValue.h"

namespace vellaro {

// The dial's colour theme; `custom` uses the settings' custom base and accent.
enum class ThemeChoice { system, pearl, eclipse, charcoal, custom };

template <>
struct EnumRawValues<ThemeChoice> {
    static constexpr std::array<const char*, 5> names{"system", "pearl", "eclipse", "charcoal",
                                                      "custom"};
};

} // namespace vellaro
