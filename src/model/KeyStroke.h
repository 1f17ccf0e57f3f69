#pragma once

#include <QString>
#include <cstdint>

namespace vellaro {

// Carbon modifier masks, as the hot key is stored.
enum CarbonModifier : std::uint32_t {
    carbonCommandKey = 256,
    carbonShiftKey = 512,
    carbonOptionKey = 2048,
    carbonControlKey = 4096,
};

// A recorded key press as the store sees it: the Mac virtual key code, the
// Carbon modifier mask and the key's characters ignoring modifiers.
struct KeyStroke {
    std::uint32_t keyCode = 0;
    std::uint32_t modifiers = 0;
    QString characters;
};

} // namespace vellaro
