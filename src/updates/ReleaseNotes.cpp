#include "updates/ReleaseNotes.h"

namespace vellaro {

namespace {

// indexOf for a needle searched from ever later positions: remembers the
// last hit (or that there is none), so all searches together read the text
// once. Unclosed tags in a broken feed stay linear this way.
class ForwardFinder {
public:
    ForwardFinder(const QString& text, QLatin1StringView needle) : text_(text), needle_(needle) {}

    qsizetype from(qsizetype position) {
        if (exhausted_)
            return -1;
        if (hit_ < position) {
            hit_ = text_.indexOf(needle_, position);
            exhausted_ = hit_ < 0;
        }
        return hit_;
    }

private:
    const QString& text_;
    QLatin1StringView needle_;
    qsizetype hit_ = -1;
    bool exhausted_ = false;
};

struct Element {
    QString inner;
    qsizetype end = -1; // after the closing tag; -1 when there is none
};

// The first "<open>…</close>" at or after `from`, the closing tag the
// nearest one after the opening (a lazy match across lines).
Element firstElement(const QString& text, QLatin1StringView open, QLatin1StringView close,
                     qsizetype from = 0) {
    const qsizetype start = text.indexOf(open, from);
    if (start < 0)
        return {};
    const qsizetype finish = text.indexOf(close, start + open.size());
    if (finish < 0)
        return {};
    return {text.sliced(start + open.size(), finish - start - open.size()), finish + close.size()};
}

QString withoutSmallElements(const QString& heading) {
    QString kept;
    qsizetype position = 0;
    for (;;) {
        const qsizetype start = heading.indexOf(QLatin1StringView("<small>"), position);
        const qsizetype finish =
            start < 0 ? -1 : heading.indexOf(QLatin1StringView("</small>"), start + 7);
        if (finish < 0)
            break;
        kept += QStringView(heading).sliced(position, start - position);
        position = finish + 8;
    }
    kept += QStringView(heading).sliced(position);
    return kept;
}

} // namespace

ReleaseNotes ReleaseNotes::parse(const QString& html, const QString& fallbackVersion) {
    ReleaseNotes notes;
    notes.version = fallbackVersion;
    const Element heading =
        firstElement(html, QLatin1StringView("<h2>"), QLatin1StringView("</h2>"));
    if (heading.end >= 0) {
        const Element small = firstElement(heading.inner, QLatin1StringView("<small>"),
                                           QLatin1StringView("</small>"));
        if (small.end >= 0)
            notes.date = cleanText(small.inner);
        const QString version = cleanText(withoutSmallElements(heading.inner));
        if (!version.isEmpty())
            notes.version = version;
    }

    std::optional<QString> title;
    QStringList pending;
    const auto flush = [&] {
        if (title && !pending.isEmpty())
            notes.groups.append({QUuid::createUuid(), *title, pending});
        pending.clear();
    };
    ForwardFinder h3Open(html, QLatin1StringView("<h3>")),
        h3Close(html, QLatin1StringView("</h3>"));
    ForwardFinder liOpen(html, QLatin1StringView("<li>")),
        liClose(html, QLatin1StringView("</li>"));
    qsizetype position = 0;
    for (;;) {
        const qsizetype h3 = h3Open.from(position);
        const qsizetype li = liOpen.from(position);
        if (h3 < 0 && li < 0)
            break;
        const bool isTitle = li < 0 || (h3 >= 0 && h3 < li);
        const qsizetype start = isTitle ? h3 : li;
        const qsizetype finish = (isTitle ? h3Close : liClose).from(start + 4);
        if (finish < 0) {
            // No closing tag: this opening matches nothing; look further on.
            position = start + 1;
            continue;
        }
        const QString text = cleanText(html.sliced(start + 4, finish - start - 4));
        if (isTitle) {
            flush();
            title = text;
        } else {
            pending << text;
        }
        position = finish + 5;
    }
    flush();
    return notes;
}

QString ReleaseNotes::cleanText(const QString& fragment) {
    QString text;
    text.reserve(fragment.size());
    qsizetype position = 0;
    ForwardFinder closing(fragment, QLatin1StringView(">"));
    for (;;) {
        const qsizetype open = fragment.indexOf(QLatin1Char('<'), position);
        if (open < 0)
            break;
        const qsizetype close = closing.from(open + 1);
        if (close < 0)
            break;
        if (close == open + 1) {
            // "<>" is no tag.
            text += QStringView(fragment).sliced(position, open + 1 - position);
            position = open + 1;
            continue;
        }
        text += QStringView(fragment).sliced(position, open - position);
        position = close + 1;
    }
    text += QStringView(fragment).sliced(position);
    text.replace(QLatin1StringView("&quot;"), QLatin1StringView("\""))
        .replace(QLatin1StringView("&#39;"), QLatin1StringView("'"))
        .replace(QLatin1StringView("&lt;"), QLatin1StringView("<"))
        .replace(QLatin1StringView("&gt;"), QLatin1StringView(">"))
        .replace(QLatin1StringView("&amp;"), QLatin1StringView("&"));
    return text.trimmed();
}

} // namespace vellaro
