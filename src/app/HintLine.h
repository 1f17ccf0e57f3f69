#pragma once

#include <QString>

#include <cstdint>

namespace vellaro {

// The status menu's second line, naming the triggers.
class HintLine {
public:
    // `mouseTriggerButton` already validated (-1...31). `hotKeyStatus` is
    // the hot key's registration status; when it was refused the line says
    // why instead of advertising a key that does nothing.
    static QString text(int mouseTriggerButton, std::uint32_t hotKeyCode,
                        std::uint32_t hotKeyModifiers, std::int32_t hotKeyStatus);
};

} // namespace vellaro
