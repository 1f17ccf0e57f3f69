#include "platform/files/RecentlyUsedXbel.h"

#include <QUrl>
#include <QXmlStreamReader>
#include <algorithm>

namespace vellaro {

namespace {

const QLatin1String bookmarkNamespace("http://www.freedesktop.org/standards/desktop-bookmarks");
const QLatin1String mimeNamespace("http://www.freedesktop.org/standards/shared-mime-info");

QDateTime timeAttribute(const QXmlStreamAttributes& attributes, const char* name) {
    const auto value = attributes.value(QLatin1String(name));
    if (value.isEmpty())
        return {};
    return QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
}

QDateTime lastUsed(const QXmlStreamAttributes& attributes) {
    const QDateTime modified = timeAttribute(attributes, "modified");
    const QDateTime visited = timeAttribute(attributes, "visited");
    if (modified.isValid() || visited.isValid()) {
        if (!visited.isValid())
            return modified;
        if (!modified.isValid())
            return visited;
        return std::max(modified, visited);
    }
    return timeAttribute(attributes, "added");
}

// The local path a bookmark's href names; empty for anything else.
QString localPath(QStringView href) {
    if (!href.startsWith(QLatin1String("file://")))
        return {};
    QUrl url(href.toString(), QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile())
        return {};
    if (url.host() == QLatin1String("localhost"))
        url.setHost(QString());
    else if (!url.host().isEmpty())
        return {};
    return url.toLocalFile();
}

} // namespace

std::optional<std::vector<RecentFile>> readRecentlyUsedXbel(const QByteArray& document) {
    QXmlStreamReader xml(document);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("xbel"))
        return std::nullopt;

    std::vector<RecentFile> files;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("bookmark")) {
            xml.skipCurrentElement();
            continue;
        }
        RecentFile file;
        file.path = localPath(xml.attributes().value(QLatin1String("href")));
        file.lastUsed = lastUsed(xml.attributes());
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
            files.push_back(std::move(file));
    }
    if (xml.hasError())
        return std::nullopt;
    std::stable_sort(files.begin(), files.end(), [](const RecentFile& a, const RecentFile& b) {
        return a.lastUsed > b.lastUsed;
    });
    return files;
}

} // namespace vellaro
