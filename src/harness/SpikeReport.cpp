#include "harness/SpikeReport.h"

#include "harness/SpikeText.h"

#include <QSet>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <array>
#include <map>

namespace vellaro {

namespace {

constexpr double passRatio = 0.9;

struct Tally {
    QString bundleID;
    int captured = 0;
    int hit = 0;
    std::array<int, allMatchTiers.size()> tiers{};
};

// User-perceived characters, as a terminal shows them.
qsizetype characterCount(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

// Blanks appended up to `width` characters; a longer text stays whole.
QString padded(const QString& text, qsizetype width) {
    const qsizetype count = characterCount(text);
    return count >= width ? text : text + QString(width - count, QLatin1Char(' '));
}

QString row(const QString& app, const QString& cap, const QString& hit, const QString& tiers) {
    return padded(app, 40) + padded(cap, 5) + padded(hit, 5) + tiers + QLatin1Char('\n');
}

QString tierText(const Tally& tally) {
    QStringList parts;
    for (const MatchTier tier : allMatchTiers) {
        const int count = tally.tiers[static_cast<std::size_t>(tier)];
        if (count > 0)
            parts << rawValue(tier) + QLatin1Char(':') + QString::number(count);
    }
    return parts.join(QLatin1Char(' '));
}

// Keyed by UTF-8 bytes, whose order is the code points' order (UTF-16
// units order characters beyond the first plane before some within it).
std::map<QByteArray, Tally> tallies(const SpikeCapture& capture, const MatchReport& report) {
    std::map<qint64, MatchTier> tierOf;
    for (const WindowMatch& match : report.matches)
        tierOf.emplace(match.capturedIndex, match.tier);
    std::map<QByteArray, Tally> result;
    for (std::size_t i = 0; i < capture.windows.size(); ++i) {
        const QString& bundleID = capture.windows[i].bundleID;
        Tally& tally = result[bundleID.toUtf8()];
        tally.bundleID = bundleID;
        ++tally.captured;
        const auto hit = tierOf.find(qint64(i));
        if (hit == tierOf.end())
            continue;
        ++tally.hit;
        ++tally.tiers[static_cast<std::size_t>(hit->second)];
    }
    return result;
}

// Rounded half away from zero, exactly.
qint64 percentage(qint64 matched, qint64 total) {
    return total == 0 ? 100 : (200 * matched + total) / (2 * total);
}

} // namespace

QString SpikeReport::captureSummary(const SpikeCapture& capture, const QString& path) {
    QSet<QString> apps;
    for (const CapturedWindow& window : capture.windows)
        apps.insert(window.bundleID);
    return QStringLiteral("Captured %1 windows across %2 apps -> %3\n")
        .arg(capture.windows.size())
        .arg(apps.size())
        .arg(escapedControlCharacters(path));
}

QString SpikeReport::matchReport(const SpikeCapture& capture, const MatchReport& report) {
    QString text =
        QStringLiteral("Window re-match report (captured %1)\n")
            .arg(capture.capturedAt.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000")));
    text += row(QStringLiteral("app"), QStringLiteral("cap"), QStringLiteral("hit"),
                QStringLiteral("tiers"));
    for (const auto& [key, tally] : tallies(capture, report))
        text += row(escapedControlCharacters(tally.bundleID), QString::number(tally.captured),
                    QString::number(tally.hit), tierText(tally));
    for (const qint64 index : report.unmatchedCaptured) {
        if (index < 0 || std::size_t(index) >= capture.windows.size())
            continue;
        const CapturedWindow& window = capture.windows[std::size_t(index)];
        text += QStringLiteral("  UNMATCHED: [%1] %2\n")
                    .arg(escapedControlCharacters(window.bundleID),
                         escapedControlCharacters(window.title));
    }
    const auto matched = qint64(report.matches.size());
    const auto considered = matched + qint64(report.unmatchedCaptured.size());
    text += QStringLiteral("TOTAL: %1/%2 matched (%3%) \u2014 bar is 90%: %4\n")
                .arg(matched)
                .arg(capture.windows.size())
                .arg(percentage(matched, considered))
                .arg(report.matchRatio() >= passRatio ? QStringLiteral("PASS")
                                                      : QStringLiteral("FAIL"));
    return text;
}

} // namespace vellaro
