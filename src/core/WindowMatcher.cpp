#include "core/WindowMatcher.h"

#include "core/SpaceTrimming.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringView>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <limits>

namespace vellaro {

namespace {

// Everything the passes compare, worked out once per window per call.
struct PreparedWindow {
    int app = 0;               // interned bundle identifier
    QString title;             // NFC
    QString normalized;        // normalize(title)
    qsizetype graphemes = 0;   // user-perceived characters of `normalized`
    std::vector<bool> borders; // grapheme boundaries of `normalized`, by code unit
    QRectF frame;              // standardised
};

constexpr qsizetype minimumPrefixGraphemes = 5;
constexpr double minimumFrameOverlap = 0.3;
constexpr double overlapBonus = 1000;

// Whitespace, wherever matching looks for it, is Unicode's White_Space
// property: tab, line feed, vertical tab, form feed, carriage return, U+0085
// NEXT LINE and the separators (Zs, Zl, Zp). The size-suffix expression
// spells the same class as spaceClass.
bool isSpace(char32_t c) {
    if ((c >= '\t' && c <= '\r') || c == 0x85)
        return true;
    switch (QChar::category(c)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// The code point ending at `end` (exclusive), and where it starts.
char32_t codePointBefore(QStringView text, qsizetype end, qsizetype* start) {
    const QChar last = text[end - 1];
    if (last.isLowSurrogate() && end >= 2 && text[end - 2].isHighSurrogate()) {
        *start = end - 2;
        return QChar::surrogateToUcs4(text[end - 2], last);
    }
    *start = end - 1;
    return last.unicode();
}

// Cheap test before the size-suffix expression: only a text whose last
// non-space character is a decimal digit can carry one.
bool mayEndInSize(QStringView text) {
    qsizetype end = text.size();
    while (end > 0) {
        qsizetype start = 0;
        const char32_t c = codePointBefore(text, end, &start);
        if (!isSpace(c))
            return QChar::category(c) == QChar::Number_DecimalDigit;
        end = start;
    }
    return false;
}

// isSpace() as an expression class, so the suffix and the folding agree on
// what a space is (the expression's own \s is another definition).
constexpr QLatin1StringView spaceClass("[\\t-\\r\\x{85}\\p{Z}]");

// One per thread: the matcher may run on any thread, and a shared expression
// is only reentrant.
const QRegularExpression& sizeSuffix() {
    static thread_local const QRegularExpression expression(
        QStringLiteral("%1*[\u2014-]%1*\\d+%1*[\u00d7x]%1*\\d+%1*$").arg(spaceClass),
        QRegularExpression::UseUnicodePropertiesOption);
    return expression;
}

// Every whitespace run becomes one space.
QString foldSpaces(const QString& text) {
    // Most titles only hold single ASCII spaces: leave those untouched.
    bool plain = true;
    for (qsizetype i = 0; i < text.size() && plain; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(' '))
            plain = i + 1 == text.size() || text[i + 1] != QLatin1Char(' ');
        else if (c.unicode() < 0x80)
            plain = c.unicode() > 0x20;
        else
            plain = !isSpace(c.unicode()) && !c.isSurrogate();
    }
    if (plain)
        return text;
    QString folded;
    folded.reserve(text.size());
    bool inRun = false;
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        qsizetype width = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            width = 2;
        }
        if (isSpace(c)) {
            if (!inRun)
                folded += QLatin1Char(' ');
            inRun = true;
        } else {
            folded += QStringView(text).mid(i, width);
            inRun = false;
        }
        i += width;
    }
    return folded;
}

void markGraphemes(PreparedWindow& window) {
    const QString& text = window.normalized;
    window.borders.assign(text.size() + 1, false);
    window.graphemes = 0;
    if (text.isEmpty())
        return;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    window.borders[0] = true;
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) {
        window.borders[at] = true;
        ++window.graphemes;
    }
}

// The shorter normalised title starts the longer one and ends on one of its
// grapheme boundaries (so "é" never counts as a prefix of "é" plus an accent).
bool titlesShareAPrefix(const PreparedWindow& a, const PreparedWindow& b) {
    if (a.graphemes < minimumPrefixGraphemes || b.graphemes < minimumPrefixGraphemes)
        return false;
    const PreparedWindow& shorter = a.normalized.size() <= b.normalized.size() ? a : b;
    const PreparedWindow& longer = &shorter == &a ? b : a;
    return longer.normalized.startsWith(shorter.normalized) &&
           longer.borders[shorter.normalized.size()];
}

double centreDistance(const QRectF& a, const QRectF& b) {
    const QPointF delta = a.center() - b.center();
    return std::sqrt(delta.x() * delta.x() + delta.y() * delta.y());
}

// normalize() of a title already in NFC.
QString normalizeComposed(const QString& composed) {
    static const QString markers[] = {
        QStringLiteral(" \u2014 edited"),
        QStringLiteral(" - edited"),
        QStringLiteral(" \u2014 locked"),
        QStringLiteral(" - locked"),
    };
    QString text = composed.toLower();
    for (const QString& marker : markers)
        text.remove(marker);
    if (mayEndInSize(text))
        text.remove(sizeSuffix());
    // Lower-casing and removals can leave decomposed sequences behind.
    return trimSpacesAndTabs(foldSpaces(text)).normalized(QString::NormalizationForm_C);
}

class Matching {
public:
    Matching(const std::vector<CapturedWindow>& captured, const std::vector<CapturedWindow>& live) {
        QHash<QString, int> apps;
        auto prepare = [&apps](const CapturedWindow& window) {
            PreparedWindow prepared;
            auto app = apps.constFind(window.bundleID);
            if (app == apps.cend())
                app = apps.insert(window.bundleID, int(apps.size()));
            prepared.app = *app;
            prepared.title = window.title.normalized(QString::NormalizationForm_C);
            prepared.normalized = normalizeComposed(prepared.title);
            markGraphemes(prepared);
            prepared.frame = window.frame.normalized();
            return prepared;
        };
        captured_.reserve(captured.size());
        live_.reserve(live.size());
        for (const CapturedWindow& window : live)
            live_.push_back(prepare(window));
        for (const CapturedWindow& window : captured)
            captured_.push_back(prepare(window));
        liveByApp_.resize(apps.size());
        for (std::size_t index = 0; index < live_.size(); ++index)
            liveByApp_[live_[index].app].push_back(std::int64_t(index));
        used_.assign(live_.size(), false);
    }

    MatchReport run(bool allowResidual) {
        std::vector<std::int64_t> pending;
        for (std::size_t index = 0; index < captured_.size(); ++index)
            pending.push_back(std::int64_t(index));
        for (const MatchTier tier : allMatchTiers) {
            if (tier == MatchTier::residual && !allowResidual)
                break;
            std::vector<std::int64_t> next;
            for (const std::int64_t index : pending) {
                if (!matchOne(index, tier))
                    next.push_back(index);
            }
            pending = std::move(next);
        }
        std::stable_sort(matches_.begin(), matches_.end(),
                         [](const WindowMatch& a, const WindowMatch& b) {
                             return a.capturedIndex < b.capturedIndex;
                         });
        std::sort(pending.begin(), pending.end());
        return {std::move(matches_), std::move(pending)};
    }

private:
    static bool passes(MatchTier tier, const PreparedWindow& captured, const PreparedWindow& live,
                       double overlap) {
        switch (tier) {
        case MatchTier::exactTitle:
            return !captured.title.isEmpty() && live.title == captured.title;
        case MatchTier::normalizedTitle:
            return !captured.normalized.isEmpty() && live.normalized == captured.normalized;
        case MatchTier::titlePrefix:
            return titlesShareAPrefix(captured, live);
        case MatchTier::frame:
            return overlap >= minimumFrameOverlap;
        case MatchTier::residual:
            return true;
        }
        return false;
    }

    // Greedy: the best unused live window of the same program that passes
    // this tier's rule; overlapping frames beat distant ones, ties keep the
    // lower live index.
    bool matchOne(std::int64_t capturedIndex, MatchTier tier) {
        const PreparedWindow& captured = captured_[capturedIndex];
        double bestScore = -std::numeric_limits<double>::infinity();
        std::int64_t best = -1;
        for (const std::int64_t liveIndex : liveByApp_[captured.app]) {
            if (used_[liveIndex])
                continue;
            const PreparedWindow& live = live_[liveIndex];
            const double overlap = WindowMatcher::iou(captured.frame, live.frame);
            if (!passes(tier, captured, live, overlap))
                continue;
            const double score =
                overlap > 0 ? overlap + overlapBonus : -centreDistance(captured.frame, live.frame);
            if (score > bestScore) {
                bestScore = score;
                best = liveIndex;
            }
        }
        if (best < 0)
            return false;
        used_[best] = true;
        matches_.push_back({capturedIndex, best, tier});
        return true;
    }

    std::vector<PreparedWindow> captured_;
    std::vector<PreparedWindow> live_;
    std::vector<std::vector<std::int64_t>> liveByApp_;
    std::vector<bool> used_;
    std::vector<WindowMatch> matches_;
};

} // namespace

MatchReport WindowMatcher::match(const std::vector<CapturedWindow>& captured,
                                 const std::vector<CapturedWindow>& live, bool allowResidual) {
    return Matching(captured, live).run(allowResidual);
}

QString WindowMatcher::normalize(const QString& title) {
    return normalizeComposed(title.normalized(QString::NormalizationForm_C));
}

double WindowMatcher::iou(const QRectF& a, const QRectF& b) {
    const QRectF first = a.normalized();
    const QRectF second = b.normalized();
    const QRectF intersection = first.intersected(second);
    if (intersection.isNull() || !(intersection.width() > 0) || !(intersection.height() > 0))
        return 0;
    const double overlap = intersection.width() * intersection.height();
    const double united =
        first.width() * first.height() + second.width() * second.height() - overlap;
    return united > 0 ? overlap / united : 0;
}

} // namespace vellaro
