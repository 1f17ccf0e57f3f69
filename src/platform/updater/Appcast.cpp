#include "platform/updater/Appcast.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace vellaro {

namespace {

const QString release = QString::fromLatin1(Appcast::releaseNamespace);
const QString ours = QString::fromLatin1(Appcast::vellaroNamespace);

// Build versions name staging files and folders: nothing that could leave them.
bool isSafeBuildVersion(const QString& build) {
    static const QRegularExpression safe(QStringLiteral("^[0-9A-Za-z][0-9A-Za-z._+-]{0,63}$"));
    return safe.match(build).hasMatch();
}

void readEnclosure(const QXmlStreamAttributes& attributes, AppcastItem& item) {
    item.url = QUrl(attributes.value(QString(), QStringLiteral("url")).toString());
    item.type = attributes.value(QString(), QStringLiteral("type")).toString();
    bool numeric = false;
    item.length = attributes.value(QString(), QStringLiteral("length")).toLongLong(&numeric);
    if (!numeric)
        item.length = -1;
    const auto signature = attributes.value(release, QStringLiteral("edSignature"));
    item.edSignature = QByteArray::fromBase64(signature.toLatin1());
    if (attributes.hasAttribute(release, QStringLiteral("os")))
        item.os = attributes.value(release, QStringLiteral("os")).toString();
    if (attributes.hasAttribute(ours, QStringLiteral("arch")))
        item.architecture = attributes.value(ours, QStringLiteral("arch")).toString();
    if (attributes.hasAttribute(release, QStringLiteral("version")))
        item.buildVersion = attributes.value(release, QStringLiteral("version")).toString();
    if (attributes.hasAttribute(release, QStringLiteral("shortVersionString")))
        item.displayVersion =
            attributes.value(release, QStringLiteral("shortVersionString")).toString();
}

QString defectOf(const AppcastItem& item) {
    if (!item.url.isValid() || item.url.isRelative() || item.length < 1 ||
        item.length > Appcast::maximumEnclosureLength || !isSafeBuildVersion(item.buildVersion))
        return QStringLiteral("The update's entry in the feed is malformed.");
    if (item.edSignature.size() != 64)
        return QStringLiteral("The update is not signed.");
    return {};
}

AppcastItem readItem(QXmlStreamReader& reader) {
    AppcastItem item;
    while (reader.readNextStartElement()) {
        const auto uri = reader.namespaceUri();
        const auto name = reader.name();
        if (uri.isEmpty() && name == u"enclosure") {
            readEnclosure(reader.attributes(), item);
            reader.skipCurrentElement();
        } else if (uri.isEmpty() && name == u"title") {
            item.title = reader.readElementText().trimmed();
        } else if (uri.isEmpty() && name == u"description") {
            item.description = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (uri == release && name == u"version") {
            item.buildVersion = reader.readElementText().trimmed();
        } else if (uri == release && name == u"shortVersionString") {
            item.displayVersion = reader.readElementText().trimmed();
        } else if (uri == release && name == u"os") {
            item.os = reader.readElementText().trimmed();
        } else {
            reader.skipCurrentElement();
        }
    }
    if (item.displayVersion.isEmpty())
        item.displayVersion = item.buildVersion;
    item.defect = defectOf(item);
    return item;
}

} // namespace

QList<AppcastItem> Appcast::parse(const QByteArray& document, QString* error) {
    const auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return QList<AppcastItem>();
    };
    if (document.size() > maximumSize)
        return fail(QStringLiteral("The update feed is too large."));
    QXmlStreamReader reader(document);
    QList<AppcastItem> items;
    bool sawRss = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        // A DTD could declare entities; a feed never needs one.
        if (token == QXmlStreamReader::DTD)
            return fail(QStringLiteral("The update feed declares a document type."));
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (reader.namespaceUri().isEmpty() && reader.name() == u"rss")
            sawRss = true;
        else if (sawRss && reader.namespaceUri().isEmpty() && reader.name() == u"item")
            items.append(readItem(reader));
    }
    if (reader.hasError() || !sawRss)
        return fail(QStringLiteral("The update feed is malformed."));
    if (error)
        error->clear();
    return items;
}

} // namespace vellaro
