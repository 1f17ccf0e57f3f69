#include "platform/files/RecentlyUsedXbel.h"

#include <QUrl>
#include <QXmlStreamReader>
#include <algorithm>
#include <climits>

namespace vellaro {

namespace {

const QLatin1String bookmarkNamespace("http://www.freedesktop.org/standards/desktop-bookmarks");
const QLatin1String mimeNamespace("http://www.freedesktop.org/standards/shared-mime-info");

// Milliseconds since the epoch of an ISO 8601 time. GLib writes UTC as
// "2024-05-01T10:00:00.123456Z", read here by hand: QDateTime's parser
// costs more than the XML itself on a long history. Anything else goes to
// QDateTime. Absent when the text is not a time.
std::optional<qint64> msecsOf(QStringView text) {
    auto digits = [&](qsizetype at, qsizetype count) -> int {
        int value = 0;
        for (qsizetype i = at; i < at + count; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    if (text.size() >= 20 && text.back() == u'Z' && text[4] == u'-' && text[7] == u'-' &&
        text[10] == u'T' && text[13] == u':' && text[16] == u':') {
        const int year = digits(0, 4);
        const QDate date = year < 0 ? QDate() : QDate(year, digits(5, 2), digits(8, 2));
        const int hour = digits(11, 2), minute = digits(14, 2), second = digits(17, 2);
        int millis = 0;
        qsizetype end = 19;
        if (text[19] == u'.') {
            int scale = 100;
            for (end = 20; end < text.size() - 1 && text[end].isDigit(); ++end) {
                millis += (text[end].unicode() - u'0') * scale;
                scale /= 10;
            }
        }
        if (date.isValid() && hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 &&
            second < 61 && end == text.size() - 1 && end != 20)
            return (date.toJulianDay() - 2440588) * 86400000 +
                   ((hour * 60 + minute) * 60 + second) * 1000LL + millis;
    }
    const QDateTime time = QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
    if (!time.isValid())
        return std::nullopt;
    return time.toMSecsSinceEpoch();
}

std::optional<qint64> timeAttribute(const QXmlStreamAttributes& attributes, const char* name) {
    const QStringView value = attributes.value(QLatin1String(name));
    if (value.isEmpty())
        return std::nullopt;
    return msecsOf(value);
}

std::optional<qint64> lastUsed(const QXmlStreamAttributes& attributes) {
    const auto modified = timeAttribute(attributes, "modified");
    const auto visited = timeAttribute(attributes, "visited");
    if (modified || visited)
        return std::max(modified.value_or(LLONG_MIN), visited.value_or(LLONG_MIN));
    return timeAttribute(attributes, "added");
}

// The local path a bookmark's href names: a file URI without a host (or
// with "localhost"), percent-decoded as UTF-8. Empty for anything else.
QString localPath(QStringView href) {
    for (const QLatin1String prefix :
         {QLatin1String("file:///"), QLatin1String("file://localhost/")}) {
        if (href.startsWith(prefix)) {
            const QStringView encoded = href.mid(prefix.size() - 1);
            // A query or fragment makes it no plain file.
            if (encoded.contains(u'?') || encoded.contains(u'#'))
                return {};
            const QString path = QUrl::fromPercentEncoding(encoded.toUtf8());
            return path.contains(QChar(0)) ? QString() : path;
        }
    }
    return {};
}

} // namespace

std::optional<std::vector<RecentFile>> readRecentlyUsedXbel(const QByteArray& document) {
    QXmlStreamReader xml(document);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("xbel"))
        return std::nullopt;

    // Each file with its time of use, in ms since the epoch.
    std::vector<std::pair<qint64, RecentFile>> found;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("bookmark")) {
            xml.skipCurrentElement();
            continue;
        }
        RecentFile file;
        const QXmlStreamAttributes attributes = xml.attributes();
        file.path = localPath(attributes.value(QLatin1String("href")));
        const qint64 used = lastUsed(attributes).value_or(LLONG_MIN);
        bool isPrivate = false;
        // Walk the bookmark's subtree for its MIME type and privacy mark.
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            switch (xml.readNext()) {
            case QXmlStreamReader::StartElement:
                ++depth;
                if (xml.namespaceUri() == bookmarkNamespace &&
                    xml.name() == QLatin1String("private"))
                    isPrivate = true;
                else if (xml.namespaceUri() == mimeNamespace &&
                         xml.name() == QLatin1String("mime-type"))
                    file.mimeType = xml.attributes().value(QLatin1String("type")).toString();
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            default:
                break;
            }
        }
        if (!isPrivate && !file.path.isEmpty())
            found.push_back({used, std::move(file)});
    }
    if (xml.hasError())
        return std::nullopt;
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<RecentFile> files;
    files.reserve(found.size());
    for (auto& [used, file] : found) {
        if (used != LLONG_MIN)
            file.lastUsed = QDateTime::fromMSecsSinceEpoch(used, Qt::UTC);
        files.push_back(std::move(file));
    }
    return files;
}

} // namespace vellaro
