#pragma once

#include <cstdint>
#include <optional>

namespace vellaro {

// The stored hot key is a Mac virtual key code plus a Carbon modifier mask, so
// settings files move between platforms unchanged. This table turns them into
// X keysyms and X modifier masks, and back for the shortcut recorder.
class MacKeyCodes {
public:
    // Carbon modifier mask bits.
    static constexpr std::uint32_t cmdKey = 0x0100;
    static constexpr std::uint32_t shiftKey = 0x0200;
    static constexpr std::uint32_t optionKey = 0x0800;
    static constexpr std::uint32_t controlKey = 0x1000;

    // X modifier mask bits (core protocol KeyButMask).
    static constexpr std::uint16_t xShiftMask = 0x0001;
    static constexpr std::uint16_t xLockMask = 0x0002;
    static constexpr std::uint16_t xControlMask = 0x0004;
    static constexpr std::uint16_t xMod1Mask = 0x0008; // Alt
    static constexpr std::uint16_t xMod4Mask = 0x0040; // Super

    // The keysym of a Mac virtual key code; empty for a code without one
    // (modifier keys, Fn, ISO/JIS-only keys, unknown codes).
    static std::optional<std::uint32_t> keysymForKeyCode(std::uint32_t macKeyCode);

    // The Mac virtual key code producing a keysym; upper-case letters give
    // their letter key. Empty when no Mac key has it.
    static std::optional<std::uint32_t> keyCodeForKeysym(std::uint32_t keysym);

    // Carbon command/shift/option/control to Mod4/Shift/Mod1/Control; every
    // other Carbon bit is dropped.
    static std::uint16_t xModifiersForCarbon(std::uint32_t carbonModifiers);

    // The reverse: only Shift, Control, Mod1 and Mod4 count.
    static std::uint32_t carbonModifiersForX(std::uint16_t xModifiers);
};

} // namespace vellaro
