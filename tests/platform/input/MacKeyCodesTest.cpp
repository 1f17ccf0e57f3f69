#include "platform/input/MacKeyCodes.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace vellaro {
namespace {

struct KeyCase {
    std::uint32_t macKeyCode;
    std::uint32_t keysym;
};

// Codes chosen where the Mac order is irregular: letters out of alphabet
// order, digits out of numeric order, the gaps at 0x0A and 0x34.
class MacKeyCodeTable : public testing::TestWithParam<KeyCase> {};

TEST_P(MacKeyCodeTable, TranslatesBothWays) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(MacKeyCodes::keysymForKeyCode(c.macKeyCode), c.keysym);
    EXPECT_EQ(MacKeyCodes::keyCodeForKeysym(c.keysym), c.macKeyCode);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MacKeyCodeTable,
    testing::Values(
        KeyCase{0x00, XK_a}, KeyCase{0x01, XK_s}, KeyCase{0x04, XK_h}, KeyCase{0x05, XK_g},
        KeyCase{0x06, XK_z}, KeyCase{0x0B, XK_b}, KeyCase{0x10, XK_y}, KeyCase{0x11, XK_t},
        KeyCase{0x28, XK_k}, KeyCase{0x2E, XK_m}, KeyCase{0x12, XK_1}, KeyCase{0x16, XK_6},
        KeyCase{0x17, XK_5}, KeyCase{0x19, XK_9}, KeyCase{0x1A, XK_7}, KeyCase{0x1C, XK_8},
        KeyCase{0x1D, XK_0}, KeyCase{0x18, XK_equal}, KeyCase{0x1B, XK_minus},
        KeyCase{0x1E, XK_bracketright}, KeyCase{0x21, XK_bracketleft}, KeyCase{0x27, XK_apostrophe},
        KeyCase{0x29, XK_semicolon}, KeyCase{0x2A, XK_backslash}, KeyCase{0x2B, XK_comma},
        KeyCase{0x2C, XK_slash}, KeyCase{0x2F, XK_period}, KeyCase{0x32, XK_grave},
        KeyCase{0x24, XK_Return}, KeyCase{0x30, XK_Tab}, KeyCase{0x31, XK_space},
        KeyCase{0x33, XK_BackSpace}, KeyCase{0x35, XK_Escape}, KeyCase{0x75, XK_Delete},
        KeyCase{0x7A, XK_F1}, KeyCase{0x78, XK_F2}, KeyCase{0x63, XK_F3}, KeyCase{0x76, XK_F4},
        KeyCase{0x60, XK_F5}, KeyCase{0x61, XK_F6}, KeyCase{0x62, XK_F7}, KeyCase{0x64, XK_F8},
        KeyCase{0x65, XK_F9}, KeyCase{0x6D, XK_F10}, KeyCase{0x67, XK_F11}, KeyCase{0x6F, XK_F12},
        KeyCase{0x69, XK_F13}, KeyCase{0x5A, XK_F20}, KeyCase{0x7B, XK_Left},
        KeyCase{0x7C, XK_Right}, KeyCase{0x7D, XK_Down}, KeyCase{0x7E, XK_Up},
        KeyCase{0x73, XK_Home}, KeyCase{0x77, XK_End}, KeyCase{0x74, XK_Prior},
        KeyCase{0x79, XK_Next}, KeyCase{0x52, XK_KP_0}, KeyCase{0x5C, XK_KP_9},
        KeyCase{0x4C, XK_KP_Enter}));

TEST(MacKeyCodes, CodesWithoutAKeysymAreRefused) {
    // 0x0A ISO section, 0x34 unused, 0x37 Command, 0x38 Shift, 0x3A Option,
    // 0x3B Control, 0x3F Fn, 0x66 JIS Eisu, beyond the table.
    for (const std::uint32_t code :
         {0x0Au, 0x34u, 0x37u, 0x38u, 0x3Au, 0x3Bu, 0x3Fu, 0x66u, 0x7Fu, 0xFFFFFFFFu})
        EXPECT_EQ(MacKeyCodes::keysymForKeyCode(code), std::nullopt) << std::hex << code;
}

TEST(MacKeyCodes, UpperCaseLettersGiveTheirLetterKey) {
    EXPECT_EQ(MacKeyCodes::keyCodeForKeysym(XK_A), 0x00u);
    EXPECT_EQ(MacKeyCodes::keyCodeForKeysym(XK_Z), 0x06u);
    EXPECT_EQ(MacKeyCodes::keyCodeForKeysym(XK_Shift_L), std::nullopt);
}

struct ModifierCase {
    std::uint32_t carbon;
    std::uint16_t x;
};

class CarbonModifierTable : public testing::TestWithParam<ModifierCase> {};

TEST_P(CarbonModifierTable, TranslatesBothWays) {
    const ModifierCase& c = GetParam();
    EXPECT_EQ(MacKeyCodes::xModifiersForCarbon(c.carbon), c.x);
    EXPECT_EQ(MacKeyCodes::carbonModifiersForX(c.x), c.carbon);
}

INSTANTIATE_TEST_SUITE_P(Modifiers, CarbonModifierTable,
                         testing::Values(ModifierCase{0, 0}, ModifierCase{0x0100, 0x40},
                                         ModifierCase{0x0200, 0x01}, ModifierCase{0x0800, 0x08},
                                         ModifierCase{0x1000, 0x04},
                                         ModifierCase{0x0100 | 0x0800 | 0x1000, 0x40 | 0x08 | 0x04},
                                         ModifierCase{0x1F00 & ~0x0400u, 0x4D}));

TEST(MacKeyCodes, OtherModifierBitsAreDropped) {
    // Carbon: alphaLock 0x400, right-hand shift/option/control 0x2000-0x8000.
    EXPECT_EQ(MacKeyCodes::xModifiersForCarbon(0x0400 | 0x2000 | 0x4000 | 0x8000 | 0x0800), 0x08);
    // X: Lock, Mod2 (Num Lock), Mod3, Mod5 and button bits.
    EXPECT_EQ(MacKeyCodes::carbonModifiersForX(0x02 | 0x10 | 0x20 | 0x80 | 0x100 | 0x04), 0x1000u);
}

} // namespace
} // namespace vellaro
