#include "model/HotKeyText.h"

#include <gtest/gtest.h>

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

TEST(HotKeyText, CarbonModifiersFromQtModifiers) {
    EXPECT_EQ(HotKeyText::carbonModifiers(Qt::MetaModifier | Qt::AltModifier | Qt::ControlModifier),
              6400u);
    EXPECT_EQ(HotKeyText::carbonModifiers(Qt::ShiftModifier), 512u);
    EXPECT_EQ(HotKeyText::carbonModifiers(Qt::NoModifier), 0u);
    EXPECT_EQ(HotKeyText::carbonModifiers(Qt::KeypadModifier | Qt::AltModifier), 2048u);
}
