#include "clipboard/ClipboardHistoryFilter.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

ClipboardEntry entryOf(ClipboardKind kind) {
    return ClipboardEntry::make(std::move(kind), std::nullopt, QDateTime::currentDateTimeUtc());
}

QStringList titlesOf(const std::vector<ClipboardEntry>& entries) {
    QStringList titles;
    for (const ClipboardEntry& entry : entries)
        titles << entry.title;
    return titles;
}

TEST(ClipboardHistoryFilter, QueriesTable) {
    const std::vector<ClipboardEntry> history{
        entryOf({ClipboardKind::Text{"Meeting notes\nsecond line mentions budget"}}),
        entryOf({ClipboardKind::Url{"https://example.org/Release"}}),
        entryOf({ClipboardKind::Files{{QUrl::fromLocalFile("/home/u/a.txt"),
                                       QUrl::fromLocalFile("/home/u/Quarterly-Report.pdf")}}}),
        entryOf({ClipboardKind::Image{QByteArray("png bytes"), "public.png"}}),
    };
    struct Case {
        QString query;
        QStringList titles;
    };
    const Case cases[] = {
        {"   ", titlesOf(history)},
        {"\t budget \t", {"Meeting notes"}},
        // Line breaks are part of the query.
        {"budget\n", {}},
        {"quarterly-REPORT", {"2 files"}},
        // The folder is not the file's name.
        {"home", {}},
        {"example.org/rel", {"https://example.org/Release"}},
        {"image", {"Image"}},
        {"png", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query.toStdString());
        EXPECT_EQ(titlesOf(filteredHistory(history, c.query)), c.titles);
    }
}

TEST(ClipboardHistoryFilter, EmptyTextDependsOnTheUntrimmedQuery) {
    EXPECT_TRUE(filteredHistory({}, "   ").empty());
    EXPECT_EQ(emptyHistoryText("   "), "No matches");
    EXPECT_EQ(emptyHistoryText("x"), "No matches");
    EXPECT_EQ(emptyHistoryText(""), "Nothing copied yet");
}

} // namespace
} // namespace vellaro
