#include "platform/input/MouseButtonTable.h"

namespace vellaro {

namespace {
// X buttons 4-7 are the wheel, so extra buttons start at 8 for CG 3.
constexpr int kExtraButtonOffset = 5;
} // namespace

std::optional<int> MouseButtonTable::xButtonForCgButton(int cgButton) {
    if (cgButton < firstTriggerButton || cgButton > lastTriggerButton)
        return std::nullopt;
    if (cgButton == 2)
        return 2;
    return cgButton + kExtraButtonOffset;
}

std::optional<int> MouseButtonTable::cgButtonForXButton(int xButton) {
    if (xButton == 2)
        return 2;
    if (xButton < 8 || xButton > lastTriggerButton + kExtraButtonOffset)
        return std::nullopt;
    return xButton - kExtraButtonOffset;
}

} // namespace vellaro
