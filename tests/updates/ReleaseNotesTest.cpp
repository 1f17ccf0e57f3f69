#include "updates/ReleaseNotes.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

struct Expected {
    const char* name;
    QString html;
    QString version;
    std::optional<QString> date;
    QList<std::pair<QString, QStringList>> groups;
};

class ReleaseNotesParsing : public ::testing::TestWithParam<Expected> {};

TEST_P(ReleaseNotesParsing, GivesVersionDateAndGroups) {
    const Expected& expected = GetParam();
    const ReleaseNotes notes = ReleaseNotes::parse(expected.html, "9.9");
    EXPECT_EQ(notes.version, expected.version);
    EXPECT_EQ(notes.date, expected.date);
    QList<std::pair<QString, QStringList>> groups;
    for (const auto& group : notes.groups)
        groups.append({group.title, group.items});
    EXPECT_EQ(groups, expected.groups);
}

using Groups = QList<std::pair<QString, QStringList>>;

INSTANTIATE_TEST_SUITE_P(
    Cases, ReleaseNotesParsing,
    ::testing::Values(
        Expected{"empty", "", "9.9", std::nullopt, {}},
        Expected{
            "full",
            "<h2>1.2 <small>March 3</small></h2><h3>New</h3><ul><li>Fans <b>open</b> "
            "faster</li>\n<li>A\n<a href=x>link</a> here </li></ul><h3>Fixed</h3><li>Crash</li>",
            "1.2", "March 3",
            Groups{{"New", {"Fans open faster", "A\nlink here"}}, {"Fixed", {"Crash"}}}},
        Expected{"only a date in the heading", "<h2><small>May</small></h2>", "9.9", "May", {}},
        Expected{
            "date spanning lines", "<h2>2.0 <small>June\n4</small></h2>", "2.0", "June\n4", {}},
        Expected{"heading spanning lines", "<h2>\n3.0\n</h2>", "3.0", std::nullopt, {}},
        Expected{"items before the first title are dropped", "<li>lost</li><h3>T</h3><li>kept</li>",
                 "9.9", std::nullopt, Groups{{"T", {"kept"}}}},
        Expected{"title right after title", "<h3>A</h3><h3>B</h3><li>x</li>", "9.9", std::nullopt,
                 Groups{{"B", {"x"}}}},
        Expected{"empty title still groups", "<h3> <i></i> </h3><li>x</li>", "9.9", std::nullopt,
                 Groups{{"", {"x"}}}},
        Expected{"items inside the heading", "<h3>T</h3><h2>4.0<li>in heading</li></h2>",
                 "4.0in heading", std::nullopt, Groups{{"T", {"in heading"}}}},
        Expected{"upper case and attributes are not recognised",
                 "<H2>5.0</H2><h3>T</h3><LI>upper</LI><li class=\"x\">attr</li><li>plain</li>",
                 "9.9", std::nullopt, Groups{{"T", {"plain"}}}},
        Expected{"entities, the ampersand last",
                 "<h3>T</h3><li>&quot;a&quot; &#39;b&#39; &lt;c&gt; &amp;lt; &amp;amp;</li>", "9.9",
                 std::nullopt, Groups{{"T", {"\"a\" 'b' <c> &lt; &amp;"}}}},
        Expected{"encoded tags survive as text", "<h3>T</h3><li>&lt;b&gt;bold&lt;/b&gt;</li>",
                 "9.9", std::nullopt, Groups{{"T", {"<b>bold</b>"}}}},
        Expected{"closing tag must match", "<h3>T</h3><li>a</h3></li><li>b</li>", "9.9",
                 std::nullopt, Groups{{"T", {"a", "b"}}}},
        Expected{"unclosed items then a closed one", "<h3>T</h3><li>a<li>b<li>c</li>", "9.9",
                 std::nullopt, Groups{{"T", {"abc"}}}},
        Expected{"unclosed title", "<h3>T</h3><li>a</li><h3>never closed<li>b</li>", "9.9",
                 std::nullopt, Groups{{"T", {"a", "b"}}}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(ReleaseNotes, CleaningRemovesTagsThenDecodes) {
    EXPECT_EQ(ReleaseNotes::cleanText("  <p>a <b>b</b>\n</p> "), "a b");
    EXPECT_EQ(ReleaseNotes::cleanText("a <> b"), "a <> b");
    EXPECT_EQ(ReleaseNotes::cleanText("a < b"), "a < b");
    EXPECT_EQ(ReleaseNotes::cleanText("x<a<b>y"), "xy");
}

TEST(ReleaseNotes, RecordsWithTheSameVersionShareTheirIdentity) {
    const auto a = ReleaseNotes::parse("<h2>1.0</h2><h3>A</h3><li>x</li>", "");
    const auto b = ReleaseNotes::parse("<h2>1.0</h2>", "");
    EXPECT_EQ(a.id(), b.id());
    EXPECT_NE(a.groups.first().id,
              ReleaseNotes::parse("<h3>A</h3><li>x</li>", "").groups.first().id);
}

} // namespace
} // namespace vellaro
