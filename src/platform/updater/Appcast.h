#pragma once

#include "platform/updater/AppcastItem.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vellaro {

// The update feed: an RSS document whose items carry the release framework's
// elements and attributes (matched by namespace URI, never by prefix) and
// our own architecture attribute.
class Appcast {
public:
    static constexpr const char* releaseNamespace =
        "http://www.andymatuschak.org/xml-namespaces/sparkle";
    static constexpr const char* vellaroNamespace = "urn:org.vellaro:appcast";
    static constexpr qint64 maximumSize = 4 * 1024 * 1024;
    static constexpr qint64 maximumEnclosureLength = qint64(512) * 1024 * 1024;

    // Items in feed order; empty and a message in `error` when the document
    // is not a usable feed (not XML, a DTD, too large).
    static QList<AppcastItem> parse(const QByteArray& document, QString* error);
};

} // namespace vellaro
