#include "overlay/FanLabelLines.h"

#include <algorithm>
#include <optional>

namespace vellaro::FanLabelLines {

namespace {

const QString ellipsis = QStringLiteral("…");

QStringList wordsOf(const QString& text) {
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// How many leading words `title` shares with the other titles, at most.
qsizetype sharedLeadingWords(std::size_t index, const std::vector<QStringList>& words) {
    qsizetype shared = 0;
    for (std::size_t other = 0; other < words.size(); ++other) {
        if (other == index)
            continue;
        const QStringList& a = words[index];
        const QStringList& b = words[other];
        qsizetype same = 0;
        while (same < a.size() && same < b.size() && a[same] == b[same])
            ++same;
        shared = std::max(shared, same);
    }
    return shared;
}

// Two lines, broken where the longer line is shortest; none when that still
// does not fit.
std::optional<QStringList> twoLines(const QStringList& words, double width,
                                    const Measure& measure) {
    std::optional<QStringList> best;
    double bestWidth = width;
    for (qsizetype split = 1; split < words.size(); ++split) {
        const QString first = words.mid(0, split).join(QLatin1Char(' '));
        const QString second = words.mid(split).join(QLatin1Char(' '));
        const double wider = std::max(measure(first), measure(second));
        if (wider <= bestWidth) {
            bestWidth = wider;
            best = QStringList{first, second};
        }
    }
    return best;
}

// One line that keeps the words after those shared with another title.
QString keepingTheDifference(const QStringList& words, qsizetype shared, double width,
                             const Measure& measure) {
    const QString whole = words.join(QLatin1Char(' '));
    if (shared == 0 || shared >= words.size())
        return elided(whole, width, measure);
    const QString tail = QLatin1Char(' ') + words.mid(shared).join(QLatin1Char(' '));
    const QString head =
        elided(words.mid(0, shared).join(QLatin1Char(' ')), width - measure(tail), measure);
    if (head.isEmpty())
        return elided(tail.mid(1), width, measure);
    return head + tail;
}

} // namespace

QString elided(const QString& text, double width, const Measure& measure) {
    if (measure(text) <= width)
        return text;
    for (qsizetype keep = text.size() - 1; keep >= 0; --keep) {
        // Never end on half a surrogate pair, nor on a space before the ellipsis.
        if (keep > 0 && text.at(keep - 1).isHighSurrogate())
            continue;
        const QString cut = text.left(keep).trimmed() + ellipsis;
        if (measure(cut) <= width)
            return cut;
    }
    return {};
}

std::vector<QStringList> fit(const std::vector<QString>& titles, const std::vector<Room>& rooms,
                             const Measure& measure) {
    std::vector<QStringList> words;
    words.reserve(titles.size());
    for (const QString& title : titles)
        words.push_back(wordsOf(title));
    std::vector<QStringList> lines;
    lines.reserve(titles.size());
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const Room room = i < rooms.size() ? rooms[i] : Room{};
        if (measure(titles[i]) <= room.oneLine || words[i].isEmpty()) {
            lines.push_back({titles[i]});
            continue;
        }
        if (room.twoLines > 0) {
            if (auto broken = twoLines(words[i], room.twoLines, measure)) {
                lines.push_back(std::move(*broken));
                continue;
            }
        }
        lines.push_back(
            {keepingTheDifference(words[i], sharedLeadingWords(i, words), room.oneLine, measure)});
    }
    return lines;
}

} // namespace vellaro::FanLabelLines
