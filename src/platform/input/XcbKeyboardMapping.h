#pragma once

#include <cstdint>
#include <vector>

struct xcb_connection_t;
struct _XCBKeySymbols;

namespace vellaro {

// A snapshot of the server's keyboard mapping: which keycodes give a keysym
// and which keycodes are bound to each modifier. Take a new one after the
// mapping changed.
class XcbKeyboardMapping {
public:
    explicit XcbKeyboardMapping(xcb_connection_t* connection);
    ~XcbKeyboardMapping();
    XcbKeyboardMapping(const XcbKeyboardMapping&) = delete;
    XcbKeyboardMapping& operator=(const XcbKeyboardMapping&) = delete;

    // Every keycode with the keysym in any column, in keycode order.
    std::vector<std::uint8_t> keycodesFor(std::uint32_t keysym) const;

    // The keycodes bound to one modifier bit (Shift 0x01 ... Mod5 0x80).
    std::vector<std::uint8_t> modifierKeycodes(std::uint16_t modifierBit) const;

    // The keycodes bound to any modifier.
    const std::vector<std::uint8_t>& allModifierKeycodes() const { return allModifierKeycodes_; }

    // The modifier bit Num_Lock is bound to; 0 when it has none.
    std::uint16_t numLockMask() const { return numLockMask_; }

    // Lock-key states a grab must also cover so that Caps Lock and Num Lock
    // do not break it: none, Lock, NumLock, both (without repeats).
    std::vector<std::uint16_t> lockVariants() const;

private:
    _XCBKeySymbols* symbols_ = nullptr;
    std::vector<std::vector<std::uint8_t>> modifierKeycodes_; // one list per modifier bit
    std::vector<std::uint8_t> allModifierKeycodes_;
    std::uint16_t numLockMask_ = 0;
};

} // namespace vellaro
