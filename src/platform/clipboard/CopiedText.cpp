#include "platform/clipboard/CopiedText.h"

#include <QTextBoundaryFinder>
#include <QUrl>

namespace vellaro {

namespace {

bool isLineBreak(QChar c) {
    return c == u'\n' || c == u'\r' || c == QChar(0x2028) || c == QChar(0x2029) ||
           c == QChar(0x85) || c == u'\v' || c == u'\f';
}

// The text without white space at either end; only the ends are read.
QStringView trimmedView(QStringView text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start).isSpace())
        ++start;
    while (end > start && text.at(end - 1).isSpace())
        --end;
    return text.mid(start, end - start);
}

// Only an address written with the scheme http or https, exactly so.
std::optional<QString> webAddressOf(QStringView trimmed) {
    if (!trimmed.startsWith(QLatin1String("http:")) && !trimmed.startsWith(QLatin1String("https:")))
        return std::nullopt;
    const QString address = trimmed.toString();
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return std::nullopt;
    return address;
}

} // namespace

CopiedText::CopiedText(QString text) : text_(std::move(text)) {
    const QStringView trimmed = trimmedView(text_);
    blank_ = trimmed.isEmpty();
    if (blank_)
        return;
    title_ = titleOf(trimmed);
    preview_ = leadingCharacters(text_, previewCharacters);
    webAddress_ = webAddressOf(trimmed);
}

QString CopiedText::leadingCharacters(QStringView text, int count) {
    // Boundaries are found in a prefix that grows until it holds `count`
    // characters ending before its own end, where a character may go on.
    qsizetype prefix = qsizetype(count) * 2 + 16;
    for (;;) {
        if (prefix >= text.size())
            prefix = text.size();
        const QString part = text.left(prefix).toString();
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, part);
        int seen = 0;
        while (seen < count && finder.toNextBoundary() != -1)
            ++seen;
        if (prefix == text.size())
            return seen < count ? part : part.left(finder.position());
        if (seen == count && finder.position() < prefix)
            return part.left(finder.position());
        prefix *= 2;
    }
}

QString CopiedText::titleOf(QStringView text) {
    QString title = leadingCharacters(trimmedView(text), titleCharacters);
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (isLineBreak(title.at(i))) {
            title.truncate(i);
            break;
        }
    }
    return title;
}

} // namespace vellaro
