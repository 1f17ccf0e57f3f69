// The harness's printed texts: the re-match report over what the matcher
// finds between a capture and a later walk, and the capture summary.
#include "harness/SpikeReport.h"
#include "core/WindowMatcher.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

const QString title =
    QStringLiteral("Window re-match report (captured 2026-12-09 08:14:14 +0000)\n");
const QString header = QStringLiteral("app                                     cap  hit  tiers\n");

CapturedWindow window(const QString& bundleID, const QString& title,
                      const QRectF& frame = QRectF(0, 0, 400, 300)) {
    return CapturedWindow{bundleID, title, frame};
}

SpikeCapture captureOf(std::vector<CapturedWindow> windows) {
    return SpikeCapture{QDateTime(QDate(2026, 12, 9), QTime(8, 14, 14), Qt::UTC),
                        std::move(windows)};
}

// The report as the harness prints it: matched without the residual pass.
QString reportOf(const std::vector<CapturedWindow>& captured,
                 const std::vector<CapturedWindow>& live) {
    const SpikeCapture capture = captureOf(captured);
    return SpikeReport::matchReport(capture, WindowMatcher::match(captured, live, false));
}

// `matched` of `total` windows of one application found again by title.
std::vector<std::vector<CapturedWindow>> windowsFoundAgain(int matched, int total) {
    std::vector<CapturedWindow> captured;
    std::vector<CapturedWindow> live;
    for (int i = 0; i < total; ++i) {
        const QRectF frame(i * 1000, 0, 10, 10); // apart, so no frame matches
        captured.push_back(window(QStringLiteral("org.example.Many"), QString::number(i), frame));
        if (i < matched)
            live.push_back(captured.back());
    }
    return {captured, live};
}

struct ReportCase {
    const char* name;
    std::vector<CapturedWindow> captured;
    std::vector<CapturedWindow> live;
    QString lines; // after the title and the header
};

class MatchReportText : public ::testing::TestWithParam<ReportCase> {};

TEST_P(MatchReportText, PrintsTheRowsUnmatchedWindowsAndTotal) {
    EXPECT_EQ(reportOf(GetParam().captured, GetParam().live).toStdString(),
              (title + header + GetParam().lines).toStdString());
}

const QString editor = QStringLiteral("org.example.Editor");
const QString longID = QStringLiteral("org.example.AnApplicationWithALongName40");
const QString longerID = QStringLiteral("org.example.AnApplicationWithAnEvenLongerName");
const QString astral = QStringLiteral("\U0001F600.app"); // beyond the first plane
const QString fullWidth = QStringLiteral("\uFF21.app");  // U+FF21, after U+1F600 in UTF-16 units

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchReportText,
    ::testing::Values(
        ReportCase{"emptyCapture",
                   {},
                   {window(editor, "Open")},
                   "TOTAL: 0/0 matched (100%) — bar is 90%: PASS\n"},
        ReportCase{"identifierOfFortyCharacters",
                   {window(longID, "A"), window(longerID, "B")},
                   {window(longID, "A"), window(longerID, "B")},
                   longID + "1    1    exactTitle:1\n" + longerID +
                       "1    1    exactTitle:1\n"
                       "TOTAL: 2/2 matched (100%) — bar is 90%: PASS\n"},
        ReportCase{"oneFoundOneUnmatched",
                   {window(editor, "Draft"), window(editor, "Notes")},
                   {window(editor, "Notes", QRectF(2000, 0, 10, 10))},
                   "org.example.Editor                      2    1    exactTitle:1\n"
                   "  UNMATCHED: [org.example.Editor] Draft\n"
                   "TOTAL: 1/2 matched (50%) — bar is 90%: FAIL\n"},
        ReportCase{"applicationGoneKeepsItsRow",
                   {window("org.example.Gone", "One"), window(editor, "Open"),
                    window("org.example.Gone", "Two")},
                   {window(editor, "Open")},
                   "org.example.Editor                      1    1    exactTitle:1\n"
                   "org.example.Gone                        2    0    \n"
                   "  UNMATCHED: [org.example.Gone] One\n"
                   "  UNMATCHED: [org.example.Gone] Two\n"
                   "TOTAL: 1/3 matched (33%) — bar is 90%: FAIL\n"},
        ReportCase{"applicationOnlyLiveGetsNothing",
                   {window(editor, "Open")},
                   {window("org.example.New", "Open"), window(editor, "Open")},
                   "org.example.Editor                      1    1    exactTitle:1\n"
                   "TOTAL: 1/1 matched (100%) — bar is 90%: PASS\n"},
        ReportCase{"tiersInPassOrder",
                   {window(editor, "Old name", QRectF(0, 0, 400, 300)),
                    window(editor, "Report — Edited"), window(editor, "Exact")},
                   {window(editor, "Exact"), window(editor, "report"),
                    window(editor, "New name", QRectF(10, 10, 400, 300))},
                   "org.example.Editor                      3    3    "
                   "exactTitle:1 normalizedTitle:1 frame:1\n"
                   "TOTAL: 3/3 matched (100%) — bar is 90%: PASS\n"},
        ReportCase{"codePointOrder",
                   {window(fullWidth, "A"), window(astral, "B"), window("org.b", "C")},
                   {window(fullWidth, "A"), window(astral, "B"), window("org.b", "C")},
                   "org.b                                   1    1    exactTitle:1\n" + fullWidth +
                       QString(35, ' ') + "1    1    exactTitle:1\n" + astral + QString(35, ' ') +
                       "1    1    exactTitle:1\n"
                       "TOTAL: 3/3 matched (100%) — bar is 90%: PASS\n"},
        ReportCase{"controlCharactersEscaped",
                   {window("org.evil\n", "Evil\x1b[2J\nNext")},
                   {},
                   "org.evil\\n                              1    0    \n"
                   "  UNMATCHED: [org.evil\\n] Evil\\u001b[2J\\nNext\n"
                   "TOTAL: 0/1 matched (0%) — bar is 90%: FAIL\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TotalCase {
    int matched;
    int total;
    const char* line;
};

class MatchReportTotal : public ::testing::TestWithParam<TotalCase> {};

// The percentage is rounded half away from zero; the bar is tested on the
// unrounded ratio.
TEST_P(MatchReportTotal, RoundsThePercentageButNotTheBar) {
    const auto lists = windowsFoundAgain(GetParam().matched, GetParam().total);
    const QString report = reportOf(lists[0], lists[1]);
    EXPECT_TRUE(report.endsWith(QLatin1String("\n") + QString::fromUtf8(GetParam().line) + "\n"))
        << report.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, MatchReportTotal,
    ::testing::Values(TotalCase{112, 125, "TOTAL: 112/125 matched (90%) — bar is 90%: FAIL"},
                      TotalCase{9, 10, "TOTAL: 9/10 matched (90%) — bar is 90%: PASS"},
                      TotalCase{1, 8, "TOTAL: 1/8 matched (13%) — bar is 90%: FAIL"},
                      TotalCase{2, 3, "TOTAL: 2/3 matched (67%) — bar is 90%: FAIL"},
                      TotalCase{0, 3, "TOTAL: 0/3 matched (0%) — bar is 90%: FAIL"}));

TEST(MatchReportLines, UnmatchedWindowsFollowTheirCapturedOrder) {
    const auto lists = windowsFoundAgain(0, 12);
    const QStringList lines = reportOf(lists[0], lists[1]).split('\n');
    ASSERT_EQ(lines.size(), 2 + 1 + 12 + 1 + 1); // the last after the final line feed
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(lines[3 + i], QStringLiteral("  UNMATCHED: [org.example.Many] %1").arg(i));
}

TEST(CaptureSummary, CountsWindowsAndDistinctApplications) {
    const SpikeCapture capture =
        captureOf({window(editor, "A"), window("org.example.Other", "B"), window(editor, "C")});
    EXPECT_EQ(SpikeReport::captureSummary(capture, "out/capture.json"),
              "Captured 3 windows across 2 apps -> out/capture.json\n");
    EXPECT_EQ(SpikeReport::captureSummary(captureOf({}), "empty.json"),
              "Captured 0 windows across 0 apps -> empty.json\n");
}

} // namespace
} // namespace vellaro
