#include "model/HotKeyText.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vellaro;

TEST(HotKeyText, DisplayStrings) {
    const std::uint32_t all =
        carbonControlKey | carbonOptionKey | carbonShiftKey | carbonCommandKey;
    struct Case {
        KeyStroke stroke;
        const char16_t* display;
    };
    const Case cases[] = {
        {{49, carbonOptionKey, " "}, u"\u2325Space"},
        {{40, carbonCommandKey | carbonShiftKey, "k"}, u"\u21E7\u2318K"},
        {{40, all, "k"}, u"\u2303\u2325\u21E7\u2318K"},
        {{36, 0, "\r"}, u"Return"},
        {{48, carbonControlKey, "\t"}, u"\u2303Tab"},
        {{53, 0, {}}, u"Esc"},
        {{123, 0, {}}, u"\u2190"},
        {{124, 0, {}}, u"\u2192"},
        {{125, 0, {}}, u"\u2193"},
        {{126, 0, {}}, u"\u2191"},
        {{122, carbonCommandKey, {}}, u"\u2318Key 122"},
        {{0, 0, QString::fromUtf8("\xC3\xA4")}, u"\u00C4"},
        {{18, carbonOptionKey | 0x100000, "1"}, u"\u23251"}, // other mask bits ignored
    };
    for (const Case& c : cases) {
        const QString expected = QString::fromUtf16(c.display);
        EXPECT_EQ(HotKeyText::displayString(c.stroke), expected) << expected.toStdString();
    }
}

TEST(HotKeyText, SpacedDisplayStrings) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"\u2325Space", u"\u2325 Space"},
        {u"\u21E7\u2318K", u"\u21E7 \u2318 K"},
        {u"\u2303\u2325", u"\u2303 \u2325"},
        {u"", u""},
        {u"F5", u"F5"},
        {u"\u2325A\u2318", u"\u2325 A\u2318"}, // a glyph after the key name stays put
    };
    for (const auto& [stored, spaced] : cases) {
        EXPECT_EQ(HotKeyText::spacedDisplayString(QString::fromUtf16(stored)),
                  QString::fromUtf16(spaced));
    }
}

// Every combination of the four modifiers, in the order Linux desktops
// write them; the stored Mac glyphs never reach a person.
TEST(HotKeyText, ShortcutTextNamesEveryModifierSetTheLinuxWay) {
    const std::pair<std::uint32_t, const char*> names[] = {{carbonShiftKey, "Shift"},
                                                           {carbonControlKey, "Ctrl"},
                                                           {carbonOptionKey, "Alt"},
                                                           {carbonCommandKey, "Super"}};
    for (int set = 0; set < 16; ++set) {
        std::uint32_t mask = 0;
        QStringList expected;
        for (int bit = 0; bit < 4; ++bit) {
            if (set & (1 << bit)) {
                mask |= names[bit].first;
                expected << names[bit].second;
            }
        }
        expected << "Space";
        EXPECT_EQ(HotKeyText::shortcutParts(49, mask), expected) << mask;
        EXPECT_EQ(HotKeyText::shortcutText(49, mask), expected.join('+')) << mask;
    }
    // Other mask bits (Caps Lock, the Fn key) are not part of the name.
    EXPECT_EQ(HotKeyText::shortcutText(49, carbonOptionKey | 0x400 | 0x20000), "Alt+Space");
}

TEST(HotKeyText, ShortcutTextNamesTheKeys) {
    constexpr std::uint32_t ctrlAlt = carbonControlKey | carbonOptionKey;
    const std::tuple<std::uint32_t, std::uint32_t, const char*> cases[] = {
        {49, ctrlAlt, "Ctrl+Alt+Space"},
        {40, carbonCommandKey, "Super+K"},
        {18, carbonShiftKey | carbonControlKey, "Shift+Ctrl+1"},
        {0, carbonControlKey, "Ctrl+A"},
        // function keys, scattered over the Mac codes
        {122, ctrlAlt, "Ctrl+Alt+F1"},
        {120, ctrlAlt, "Ctrl+Alt+F2"},
        {96, carbonControlKey, "Ctrl+F5"},
        {111, carbonCommandKey, "Super+F12"},
        {90, carbonControlKey, "Ctrl+F20"},
        // the keypad
        {82, carbonOptionKey, "Alt+Keypad 0"},
        {92, carbonOptionKey, "Alt+Keypad 9"},
        {65, carbonOptionKey, "Alt+Keypad ."},
        {67, carbonOptionKey, "Alt+Keypad *"},
        {69, carbonOptionKey, "Alt+Keypad +"},
        {75, carbonOptionKey, "Alt+Keypad /"},
        {76, carbonOptionKey, "Alt+Keypad Enter"},
        {78, carbonOptionKey, "Alt+Keypad -"},
        {81, carbonOptionKey, "Alt+Keypad ="},
        // named keys
        {36, carbonControlKey, "Ctrl+Return"},
        {48, carbonOptionKey, "Alt+Tab"},
        {51, carbonControlKey, "Ctrl+Backspace"},
        {53, carbonControlKey, "Ctrl+Esc"},
        {114, carbonControlKey, "Ctrl+Insert"},
        {117, carbonControlKey, "Ctrl+Delete"},
        {115, carbonControlKey, "Ctrl+Home"},
        {119, carbonControlKey, "Ctrl+End"},
        {116, carbonControlKey, "Ctrl+Page Up"},
        {121, carbonControlKey, "Ctrl+Page Down"},
        {123, carbonCommandKey, "Super+Left"},
        {124, carbonCommandKey, "Super+Right"},
        {125, carbonCommandKey, "Super+Down"},
        {126, carbonCommandKey, "Super+Up"},
        {72, carbonControlKey, "Ctrl+Volume Up"},
        // punctuation by its character
        {24, carbonControlKey, "Ctrl+="},
        {27, carbonControlKey, "Ctrl+-"},
        {33, carbonControlKey, "Ctrl+["},
        {42, carbonControlKey, "Ctrl+\\"},
        {50, carbonControlKey, "Ctrl+`"},
        // keys with no name on a PC keyboard: the stored code
        {10, carbonControlKey, "Ctrl+Key 10"},
        {63, carbonOptionKey, "Alt+Key 63"},
        {127, 0, "Key 127"},
        {4294967295u, ctrlAlt, "Ctrl+Alt+Key 4294967295"},
    };
    for (const auto& [keyCode, mask, text] : cases)
        EXPECT_EQ(HotKeyText::shortcutText(keyCode, mask), QString::fromUtf8(text)) << keyCode;
}

TEST(HotKeyText, CarbonModifiersFromQtModifiers) {
    EXPECT_EQ(HotKeyText::carbonModifiers(Qt::MetaModifier | Qt::AltModifier | Qt::ControlModifier),
              6400u);
    EXPECT_EQ(HotKeyText::carbonModifiers(Qt::ShiftModifier), 512u);
    EXPECT_EQ(HotKeyText::carbonModifiers(Qt::NoModifier), 0u);
    EXPECT_EQ(HotKeyText::carbonModifiers(Qt::KeypadModifier | Qt::AltModifier), 2048u);
}
