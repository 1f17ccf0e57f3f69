#include "platform/clipboard/CopiedText.h"

#include <gtest/gtest.h>

#include <optional>

namespace vellaro {
namespace {

const QString family =
    QString::fromUtf8("👨‍👩‍👧"); // several code points, one character

struct TextCase {
    const char* name;
    QString text;
    bool blank;
    QString title;
    std::optional<QString> webAddress;
};

class CopiedTexts : public testing::TestWithParam<TextCase> {};

TEST_P(CopiedTexts, DeriveWhatTheHistoryShows) {
    const TextCase& c = GetParam();
    const CopiedText copied(c.text);
    EXPECT_EQ(copied.text(), c.text) << "kept as copied";
    EXPECT_EQ(copied.isBlank(), c.blank);
    EXPECT_EQ(copied.title(), c.title);
    EXPECT_EQ(copied.webAddress(), c.webAddress);
}

const TextCase textCases[] = {
    {"Padded", "  padded\n", false, "padded", std::nullopt},
    {"OnlyBlanks", " \n\t \r\n", true, "", std::nullopt},
    {"FirstLineOfTheTrimmedText", "\n  first  \r\nsecond", false, "first  ", std::nullopt},
    {"EveryLineBreakEndsTheTitle", QString("one") + QChar(0x2028) + "two", false, "one",
     std::nullopt},
    {"ALongLineIsCut", QString(1000, 'a'), false, QString(CopiedText::titleCharacters, 'a'),
     std::nullopt},
    {"TheCutNeverSplitsACharacter", QString(CopiedText::titleCharacters - 1, 'a') + family + "z",
     false, QString(CopiedText::titleCharacters - 1, 'a') + family, std::nullopt},
    {"WebAddress", " https://example.org/a?b=c \n", false, "https://example.org/a?b=c",
     "https://example.org/a?b=c"},
    {"SchemeInCapitalsIsText", "HTTPS://example.org", false, "HTTPS://example.org", std::nullopt},
    {"OtherSchemeIsText", "ftp://example.org", false, "ftp://example.org", std::nullopt},
    {"HostWithoutSchemeIsText", "example.org", false, "example.org", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Cases, CopiedTexts, testing::ValuesIn(textCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CopiedText, LeadingCharactersCountWhatThePersonSees) {
    struct Case {
        QString text;
        int count;
        QString expected;
    };
    const Case cases[] = {
        {"abc", 5, "abc"},
        {"abc", 2, "ab"},
        {QString(7, 'a') + family + "b", 8, QString(7, 'a') + family},
        // A base letter with many combining marks is one character, longer
        // than the first prefix looked at.
        {"x" + QString(100, QChar(0x0301)) + "y", 1, "x" + QString(100, QChar(0x0301))},
        {"", 3, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CopiedText::leadingCharacters(c.text, c.count), c.expected) << c.text.size();
}

TEST(CopiedText, AMinifiedDocumentOf24MegabytesGetsABoundedTitleAndPreview) {
    const QString line = "{\"data\": \"" + QString(24 * 1024 * 1024, 'j') + "\"}";
    const CopiedText copied(line);
    EXPECT_EQ(copied.title().size(), CopiedText::titleCharacters);
    EXPECT_EQ(copied.preview().size(), CopiedText::previewCharacters);
    EXPECT_TRUE(copied.title().startsWith("{\"data\": \"jjj"));
}

} // namespace
} // namespace vellaro
