#pragma once

#include "model/EnumRawValue.h"

namespace vellaro {

// The dial's size.
enum class MenuScale { small, standard, large };

template <>
struct EnumRawValues<MenuScale> {
    static constexpr std::array<const char*, 3> names{"small", "standard", "large"};
};

// The factor applied to every length of the dial and its panel.
constexpr double scaleFactor(MenuScale scale) {
    switch (scale) {
    case MenuScale::small:
        return 0.85;
    case MenuScale::standard:
        return 1.0;
    case MenuScale::large:
        return 1.18;
    }
    return 1.0;
}

} // namespace vellaro
