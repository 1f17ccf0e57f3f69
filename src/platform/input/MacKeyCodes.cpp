#include "platform/input/MacKeyCodes.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>
#include <utility>

namespace vellaro {

namespace {

struct KeyEntry {
    std::uint32_t macKeyCode;
    std::uint32_t keysym;
};

// Mac virtual key codes (the ANSI positions) in code order.
constexpr std::array kKeys{
    KeyEntry{0x00, XK_a},
    KeyEntry{0x01, XK_s},
    KeyEntry{0x02, XK_d},
    KeyEntry{0x03, XK_f},
    KeyEntry{0x04, XK_h},
    KeyEntry{0x05, XK_g},
    KeyEntry{0x06, XK_z},
    KeyEntry{0x07, XK_x},
    KeyEntry{0x08, XK_c},
    KeyEntry{0x09, XK_v},
    KeyEntry{0x0B, XK_b},
    KeyEntry{0x0C, XK_q},
    KeyEntry{0x0D, XK_w},
    KeyEntry{0x0E, XK_e},
    KeyEntry{0x0F, XK_r},
    KeyEntry{0x10, XK_y},
    KeyEntry{0x11, XK_t},
    KeyEntry{0x12, XK_1},
    KeyEntry{0x13, XK_2},
    KeyEntry{0x14, XK_3},
    KeyEntry{0x15, XK_4},
    KeyEntry{0x16, XK_6},
    KeyEntry{0x17, XK_5},
    KeyEntry{0x18, XK_equal},
    KeyEntry{0x19, XK_9},
    KeyEntry{0x1A, XK_7},
    KeyEntry{0x1B, XK_minus},
    KeyEntry{0x1C, XK_8},
    KeyEntry{0x1D, XK_0},
    KeyEntry{0x1E, XK_bracketright},
    KeyEntry{0x1F, XK_o},
    KeyEntry{0x20, XK_u},
    KeyEntry{0x21, XK_bracketleft},
    KeyEntry{0x22, XK_i},
    KeyEntry{0x23, XK_p},
    KeyEntry{0x24, XK_Return},
    KeyEntry{0x25, XK_l},
    KeyEntry{0x26, XK_j},
    KeyEntry{0x27, XK_apostrophe},
    KeyEntry{0x28, XK_k},
    KeyEntry{0x29, XK_semicolon},
    KeyEntry{0x2A, XK_backslash},
    KeyEntry{0x2B, XK_comma},
    KeyEntry{0x2C, XK_slash},
    KeyEntry{0x2D, XK_n},
    KeyEntry{0x2E, XK_m},
    KeyEntry{0x2F, XK_period},
    KeyEntry{0x30, XK_Tab},
    KeyEntry{0x31, XK_space},
    KeyEntry{0x32, XK_grave},
    KeyEntry{0x33, XK_BackSpace},
    KeyEntry{0x35, XK_Escape},
    KeyEntry{0x40, XK_F17},
    KeyEntry{0x41, XK_KP_Decimal},
    KeyEntry{0x43, XK_KP_Multiply},
    KeyEntry{0x45, XK_KP_Add},
    KeyEntry{0x47, XK_Clear},
    KeyEntry{0x48, XF86XK_AudioRaiseVolume},
    KeyEntry{0x49, XF86XK_AudioLowerVolume},
    KeyEntry{0x4A, XF86XK_AudioMute},
    KeyEntry{0x4B, XK_KP_Divide},
    KeyEntry{0x4C, XK_KP_Enter},
    KeyEntry{0x4E, XK_KP_Subtract},
    KeyEntry{0x4F, XK_F18},
    KeyEntry{0x50, XK_F19},
    KeyEntry{0x51, XK_KP_Equal},
    KeyEntry{0x52, XK_KP_0},
    KeyEntry{0x53, XK_KP_1},
    KeyEntry{0x54, XK_KP_2},
    KeyEntry{0x55, XK_KP_3},
    KeyEntry{0x56, XK_KP_4},
    KeyEntry{0x57, XK_KP_5},
    KeyEntry{0x58, XK_KP_6},
    KeyEntry{0x59, XK_KP_7},
    KeyEntry{0x5A, XK_F20},
    KeyEntry{0x5B, XK_KP_8},
    KeyEntry{0x5C, XK_KP_9},
    KeyEntry{0x60, XK_F5},
    KeyEntry{0x61, XK_F6},
    KeyEntry{0x62, XK_F7},
    KeyEntry{0x63, XK_F3},
    KeyEntry{0x64, XK_F8},
    KeyEntry{0x65, XK_F9},
    KeyEntry{0x67, XK_F11},
    KeyEntry{0x69, XK_F13},
    KeyEntry{0x6A, XK_F16},
    KeyEntry{0x6B, XK_F14},
    KeyEntry{0x6D, XK_F10},
    KeyEntry{0x6F, XK_F12},
    KeyEntry{0x71, XK_F15},
    // The Help key sits where PC keyboards have Insert, and Macs report
    // Insert as Help.
    KeyEntry{0x72, XK_Insert},
    KeyEntry{0x73, XK_Home},
    KeyEntry{0x74, XK_Prior},
    KeyEntry{0x75, XK_Delete},
    KeyEntry{0x76, XK_F4},
    KeyEntry{0x77, XK_End},
    KeyEntry{0x78, XK_F2},
    KeyEntry{0x79, XK_Next},
    KeyEntry{0x7A, XK_F1},
    KeyEntry{0x7B, XK_Left},
    KeyEntry{0x7C, XK_Right},
    KeyEntry{0x7D, XK_Down},
    KeyEntry{0x7E, XK_Up},
};

struct ModifierEntry {
    std::uint32_t carbon;
    std::uint16_t x;
};

constexpr std::array kModifiers{
    ModifierEntry{MacKeyCodes::cmdKey, MacKeyCodes::xMod4Mask},
    ModifierEntry{MacKeyCodes::shiftKey, MacKeyCodes::xShiftMask},
    ModifierEntry{MacKeyCodes::optionKey, MacKeyCodes::xMod1Mask},
    ModifierEntry{MacKeyCodes::controlKey, MacKeyCodes::xControlMask},
};

} // namespace

std::optional<std::uint32_t> MacKeyCodes::keysymForKeyCode(std::uint32_t macKeyCode) {
    for (const auto& entry : kKeys) {
        if (entry.macKeyCode == macKeyCode)
            return entry.keysym;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> MacKeyCodes::keyCodeForKeysym(std::uint32_t keysym) {
    if (keysym >= XK_A && keysym <= XK_Z)
        keysym += XK_a - XK_A;
    for (const auto& entry : kKeys) {
        if (entry.keysym == keysym)
            return entry.macKeyCode;
    }
    return std::nullopt;
}

std::uint16_t MacKeyCodes::xModifiersForCarbon(std::uint32_t carbonModifiers) {
    std::uint16_t mask = 0;
    for (const auto& entry : kModifiers) {
        if (carbonModifiers & entry.carbon)
            mask |= entry.x;
    }
    return mask;
}

std::uint32_t MacKeyCodes::carbonModifiersForX(std::uint16_t xModifiers) {
    std::uint32_t mask = 0;
    for (const auto& entry : kModifiers) {
        if (xModifiers & entry.x)
            mask |= entry.carbon;
    }
    return mask;
}

} // namespace vellaro
