// Titles come from any X client: what the harness prints must stay one line
// and never drive the terminal.
#include "harness/SpikeText.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

struct EscapeCase {
    const char* name;
    QString text;
    QString printed;
};

class EscapedControlCharacters : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapedControlCharacters, PrintsControlCharactersAsEscapes) {
    EXPECT_EQ(escapedControlCharacters(GetParam().text), GetParam().printed);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EscapedControlCharacters,
    ::testing::Values(
        EscapeCase{"plain", QStringLiteral("Notes — draft.txt"),
                   QStringLiteral("Notes — draft.txt")},
        EscapeCase{"outsideTheFirstPlane", QStringLiteral("\U0001F600 café"),
                   QStringLiteral("\U0001F600 café")},
        EscapeCase{"backslashAndQuote", QStringLiteral(R"(C:\ "x")"), QStringLiteral(R"(C:\ "x")")},
        EscapeCase{"lineBreaks", QStringLiteral("a\nb\r\nc"), QStringLiteral(R"(a\nb\r\nc)")},
        EscapeCase{"shortForms", QStringLiteral("\t\b\f"), QStringLiteral(R"(\t\b\f)")},
        EscapeCase{"terminalSequence", QStringLiteral("\x1b]0;owned\x07\x1b[2J"),
                   QStringLiteral(R"(\u001b]0;owned\u0007\u001b[2J)")},
        EscapeCase{"nul", QString(QChar(0)) + QStringLiteral("x"), QStringLiteral(R"(\u0000x)")},
        EscapeCase{"deleteAndC1", QStringLiteral("\x7f\u0085\u009b"),
                   QStringLiteral(R"(\u007f\u0085\u009b)")},
        EscapeCase{"unicodeSeparators", QStringLiteral("a\u2028b\u2029c"),
                   QStringLiteral(R"(a\u2028b\u2029c)")}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vellaro
