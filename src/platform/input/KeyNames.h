#pragma once

#include <QString>
#include <cstdint>

namespace vellaro {

// Keys named as Linux desktops label them in shortcuts: "Space", "K", "F5",
// "Page Up", "Keypad 1".
class KeyNames {
public:
    // The name of the key a stored Mac virtual key code stands for; empty
    // when the code has no key on a PC keyboard.
    static QString forKeyCode(std::uint32_t macKeyCode);
    // The name of an X keysym; empty for one no stored key code produces.
    static QString forKeysym(std::uint32_t keysym);
};

} // namespace vellaro
