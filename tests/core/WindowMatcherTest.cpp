#include "core/WindowMatcher.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

#include <random>
#include <set>

namespace vellaro {

void PrintTo(const WindowMatch& match, std::ostream* out) {
    *out << "(" << match.capturedIndex << " -> " << match.liveIndex << ", "
         << rawValue(match.tier).toStdString() << ")";
}

namespace {

CapturedWindow window(const char* app, const QString& title, QRectF frame) {
    return {QString::fromLatin1(app), title, frame};
}

struct NormalizeCase {
    const char* why;
    QString title;
    QString expected;
};

TEST(WindowMatcher, NormalizesTitles) {
    const NormalizeCase cases[] = {
        {"edited marker", QStringLiteral("Budget \u2014 Edited"), QStringLiteral("budget")},
        {"locked marker, hyphen", QStringLiteral("Report - locked"), QStringLiteral("report")},
        {"size suffix, em dash and times", QStringLiteral("Preview \u2014 1440\u00d7900"),
         QStringLiteral("preview")},
        {"size suffix, hyphen and x", QStringLiteral("Preview - 800 x 600 "),
         QStringLiteral("preview")},
        {"size not at the end stays", QStringLiteral("Shot - 800x600 copy"),
         QStringLiteral("shot - 800x600 copy")},
        {"whitespace runs", QStringLiteral("  Notes   today "), QStringLiteral("notes today")},
        {"marker in the middle", QStringLiteral("a \u2014 edited b"), QStringLiteral("a b")},
        {"every marker, in order", QStringLiteral("x - Edited - LOCKED \u2014 locked"),
         QStringLiteral("x")},
        {"line breaks and tabs fold", QStringLiteral("a\n\t b\r\n"), QStringLiteral("a b")},
        {"decomposed composes", QStringLiteral("Cafe\u0301"), QStringLiteral("caf\u00e9")},
        {"capital E acute", QStringLiteral("\u00c9"), QStringLiteral("\u00e9")},
        {"full lower-casing", QStringLiteral("\u0130stanbul"), QStringLiteral("i\u0307stanbul")},
        {"Arabic-Indic size suffix",
         QStringLiteral("Preview \u2014 \u0661\u0664\u0664\u0660\u00d7\u0669\u0660\u0660"),
         QStringLiteral("preview")},
        {"no-break space run", QStringLiteral("Notes\u00a0\u00a0 today\u2003"),
         QStringLiteral("notes today")},
        // Unicode's White_Space, no more and no less.
        {"next line is a space", QStringLiteral("a\u0085b\u0085"), QStringLiteral("a b")},
        {"vertical tab is a space", QStringLiteral("a\vb"), QStringLiteral("a b")},
        {"next line before a size suffix", QStringLiteral("Shot\u0085-\u0085800x600\u0085"),
         QStringLiteral("shot")},
        {"zero width space is not", QStringLiteral("a\u200bb"), QStringLiteral("a\u200bb")},
        {"empty", QString(), QString()},
        {"only a marker", QStringLiteral(" - edited"), QString()},
    };
    for (const NormalizeCase& c : cases)
        EXPECT_EQ(WindowMatcher::normalize(c.title), c.expected) << c.why;
}

TEST(WindowMatcher, IntersectionOverUnion) {
    struct Case {
        const char* why;
        QRectF a;
        QRectF b;
        double expected;
    };
    const Case cases[] = {
        {"30 of 100 inside", {0, 0, 100, 100}, {0, 0, 30, 100}, 0.3},
        {"29 of 100 inside", {0, 0, 100, 100}, {10, 0, 29, 100}, 0.29},
        {"identical", {5, 5, 50, 20}, {5, 5, 50, 20}, 1.0},
        {"half shifted", {0, 0, 100, 100}, {50, 0, 100, 100}, 1.0 / 3.0},
        {"touching edges", {0, 0, 100, 100}, {100, 0, 100, 100}, 0.0},
        {"touching corners", {0, 0, 100, 100}, {100, 100, 10, 10}, 0.0},
        {"apart", {0, 0, 10, 10}, {50, 50, 10, 10}, 0.0},
        {"negative sizes are standardised", {100, 100, -100, -100}, {0, 0, 100, 100}, 1.0},
        {"negative against part", {100, 0, -100, 100}, {0, 0, 30, 100}, 0.3},
        {"empty rectangle", {0, 0, 0, 100}, {0, 0, 100, 100}, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(WindowMatcher::iou(c.a, c.b), c.expected) << c.why;
        EXPECT_DOUBLE_EQ(WindowMatcher::iou(c.b, c.a), c.expected) << c.why << " (swapped)";
    }
}

struct Scenario {
    const char* why;
    std::vector<CapturedWindow> captured;
    std::vector<CapturedWindow> live;
    bool allowResidual;
    std::vector<WindowMatch> matches;
    std::vector<std::int64_t> unmatched;
};

TEST(WindowMatcher, Scenarios) {
    using T = MatchTier;
    const QRectF here(0, 0, 100, 100);
    const QRectF far(2000, 2000, 100, 100);
    const Scenario scenarios[] = {
        {"nothing captured", {}, {window("a", "x", here)}, true, {}, {}},
        {"nothing live", {window("a", "x", here), window("a", "y", here)}, {}, true, {}, {0, 1}},
        {"untitled matches by frame",
         {window("a", "", here)},
         {window("a", "", far), window("a", "", here)},
         false,
         {{0, 1, T::frame}},
         {}},
        {"untitled far away stays without residual",
         {window("a", "", here)},
         {window("a", "", far)},
         false,
         {},
         {0}},
        {"untitled far away takes the residual",
         {window("a", "", here)},
         {window("a", "", far)},
         true,
         {{0, 0, T::residual}},
         {}},
        {"edited marker",
         {window("a", "Budget \u2014 Edited", here)},
         {window("a", "budget", far)},
         false,
         {{0, 0, T::normalizedTitle}},
         {}},
        {"locked marker",
         {window("a", "Report - locked", here)},
         {window("a", "report", far)},
         false,
         {{0, 0, T::normalizedTitle}},
         {}},
        {"size suffix",
         {window("a", "Preview \u2014 1440\u00d7900", here)},
         {window("a", "preview", far)},
         false,
         {{0, 0, T::normalizedTitle}},
         {}},
        {"spaces",
         {window("a", "  Notes   today ", here)},
         {window("a", "notes today", far)},
         false,
         {{0, 0, T::normalizedTitle}},
         {}},
        {"next line at the end is whitespace",
         {window("a", "report\u0085", here)},
         {window("a", "report", far)},
         false,
         {{0, 0, T::normalizedTitle}},
         {}},
        {"decomposed title equals composed",
         {window("a", "Cafe\u0301 menu", here)},
         {window("a", "Caf\u00e9 menu", far)},
         false,
         {{0, 0, T::exactTitle}},
         {}},
        {"title prefix",
         {window("a", "inbox", here)},
         {window("a", "Inbox (3 messages)", far)},
         false,
         {{0, 0, T::titlePrefix}},
         {}},
        {"prefix needs five characters",
         {window("a", "mail", here)},
         {window("a", "mail - inbox", far)},
         false,
         {},
         {0}},
        {"prefix counts graphemes, not code units",
         {window("a", "q\u0307q\u0307q\u0307q\u0307", here)},
         {window("a", "q\u0307q\u0307q\u0307q\u0307 x", far)},
         false,
         {},
         {0}},
        {"prefix ends on a grapheme boundary",
         {window("a", "inbox q", here)},
         {window("a", "inbox q\u0307 x", far)},
         false,
         {},
         {0}},
        {"overlap of exactly 0.3",
         {window("a", "one", QRectF(0, 0, 100, 100))},
         {window("a", "two", QRectF(0, 0, 30, 100))},
         false,
         {{0, 0, T::frame}},
         {}},
        {"overlap of 0.29",
         {window("a", "one", QRectF(0, 0, 100, 100))},
         {window("a", "two", QRectF(0, 0, 29, 100))},
         false,
         {},
         {0}},
        {"residual takes the nearest centre",
         {window("a", "one", here)},
         {window("a", "two", QRectF(900, 0, 100, 100)),
          window("a", "three", QRectF(300, 0, 100, 100))},
         true,
         {{0, 1, T::residual}},
         {}},
        {"residual prefers any overlap to a near centre",
         {window("a", "one", QRectF(0, 0, 100, 100))},
         {window("a", "two", QRectF(100, 0, 100, 100)),
          window("a", "three", QRectF(99, 99, 500, 500))},
         true,
         {{0, 1, T::residual}},
         {}},
        {"same titles: the earlier capture takes the better frame",
         {window("a", "doc", QRectF(0, 0, 100, 100)),
          window("a", "doc", QRectF(500, 500, 100, 100))},
         {window("a", "doc", QRectF(490, 490, 100, 100)),
          window("a", "doc", QRectF(10, 10, 100, 100))},
         false,
         {{0, 1, T::exactTitle}, {1, 0, T::exactTitle}},
         {}},
        {"equal scores keep the lower live index",
         {window("a", "doc", QRectF(0, 0, 10, 10))},
         {window("a", "doc", QRectF(-100, 0, 10, 10)), window("a", "doc", QRectF(100, 0, 10, 10))},
         false,
         {{0, 0, T::exactTitle}},
         {}},
        {"another program's window is never chosen",
         {window("a", "doc", here)},
         {window("b", "doc", here)},
         true,
         {},
         {0}},
        {"matches come back by captured index",
         {window("a", "", here), window("a", "kept", far)},
         {window("a", "kept", far), window("a", "other", here)},
         false,
         {{0, 1, T::frame}, {1, 0, T::exactTitle}},
         {}},
    };
    for (const Scenario& s : scenarios) {
        const MatchReport report = WindowMatcher::match(s.captured, s.live, s.allowResidual);
        EXPECT_EQ(report.matches, s.matches) << s.why;
        EXPECT_EQ(report.unmatchedCaptured, s.unmatched) << s.why;
    }
}

TEST(WindowMatcher, MatchRatio) {
    EXPECT_EQ(MatchReport{}.matchRatio(), 1.0);
    EXPECT_EQ((MatchReport{{}, {0, 1}}).matchRatio(), 0.0);
    EXPECT_EQ((MatchReport{{{0, 0, MatchTier::frame}}, {1, 2, 3}}).matchRatio(), 0.25);
}

// Random desktops: whatever the input, the report keeps its promises.
TEST(WindowMatcher, ReportInvariantsOnRandomDesktops) {
    std::mt19937 random(20261210);
    const QStringList apps{"a", "b", "c", "d"};
    const QStringList titles{"",
                             "Inbox",
                             "inbox (2)",
                             "Notes — Edited",
                             "notes",
                             "Draft",
                             "Draft - 800x600",
                             "e\u0301te\u0301 plan",
                             "\u00e9t\u00e9 plan"};
    auto pick = [&random](const QStringList& from) {
        return from[std::uniform_int_distribution<qsizetype>(0, from.size() - 1)(random)];
    };
    auto coordinate = [&random](double high) {
        return std::uniform_real_distribution<double>(-200, high)(random);
    };
    auto randomWindows = [&](int count) {
        std::vector<CapturedWindow> windows;
        for (int i = 0; i < count; ++i)
            windows.push_back(
                {pick(apps), pick(titles),
                 QRectF(coordinate(1500), coordinate(900), coordinate(800), coordinate(600))});
        return windows;
    };
    for (int round = 0; round < 300; ++round) {
        const auto captured = randomWindows(std::uniform_int_distribution<int>(0, 14)(random));
        const auto live = randomWindows(std::uniform_int_distribution<int>(0, 14)(random));
        for (const bool residual : {false, true}) {
            const MatchReport report = WindowMatcher::match(captured, live, residual);
            std::multiset<std::int64_t> seenCaptured(report.unmatchedCaptured.begin(),
                                                     report.unmatchedCaptured.end());
            std::set<std::int64_t> seenLive;
            for (const WindowMatch& match : report.matches) {
                seenCaptured.insert(match.capturedIndex);
                EXPECT_TRUE(seenLive.insert(match.liveIndex).second) << "live used twice";
                EXPECT_EQ(captured[match.capturedIndex].bundleID, live[match.liveIndex].bundleID);
                EXPECT_TRUE(residual || match.tier != MatchTier::residual);
            }
            std::multiset<std::int64_t> all;
            for (std::size_t i = 0; i < captured.size(); ++i)
                all.insert(std::int64_t(i));
            EXPECT_EQ(seenCaptured, all) << "each captured index exactly once";
            EXPECT_TRUE(std::is_sorted(report.matches.begin(), report.matches.end(),
                                       [](const WindowMatch& a, const WindowMatch& b) {
                                           return a.capturedIndex < b.capturedIndex;
                                       }));
            EXPECT_TRUE(
                std::is_sorted(report.unmatchedCaptured.begin(), report.unmatchedCaptured.end()));
            if (!residual)
                continue;
            // With the residual pass nothing stays unmatched while its
            // program still has an unused live window.
            for (const std::int64_t index : report.unmatchedCaptured) {
                for (std::size_t l = 0; l < live.size(); ++l)
                    EXPECT_TRUE(seenLive.count(std::int64_t(l)) ||
                                live[l].bundleID != captured[index].bundleID);
            }
        }
    }
}

TEST(WindowMatcher, CodesCapturedWindowsAndTiers) {
    const CapturedWindow original{"org.gnome.Nautilus", QStringLiteral("Home — 2"),
                                  QRectF(10.5, -20, 800, 600)};
    const QJsonObject json = original.toJson();
    EXPECT_EQ(QJsonDocument(json).toJson(QJsonDocument::Compact),
              QByteArray(R"({"bundleID":"org.gnome.Nautilus","frame":[[10.5,-20],[800,600]],)"
                         R"("title":"Home — 2"})"));
    EXPECT_EQ(CapturedWindow::fromJson(json), original);

    const char* broken[] = {
        R"({"bundleID":"a","title":"t"})",
        R"({"bundleID":1,"title":"t","frame":[[0,0],[1,1]]})",
        R"({"bundleID":"a","title":"t","frame":[[0,0],[1]]})",
        R"({"bundleID":"a","title":"t","frame":[0,0,1,1]})",
        R"({"bundleID":"a","title":null,"frame":[[0,0],[1,1]]})",
    };
    for (const char* text : broken)
        EXPECT_FALSE(CapturedWindow::fromJson(QJsonDocument::fromJson(text).object())) << text;

    QStringList names;
    for (const MatchTier tier : allMatchTiers) {
        names << rawValue(tier);
        EXPECT_EQ(matchTierFromRawValue(rawValue(tier)), tier);
    }
    EXPECT_EQ(names,
              QStringList({"exactTitle", "normalizedTitle", "titlePrefix", "frame", "residual"}));
    EXPECT_FALSE(matchTierFromRawValue(QStringLiteral("ExactTitle")));
}

} // namespace
} // namespace vellaro
