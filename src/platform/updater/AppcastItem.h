#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace vellaro {

// One release in the update feed.
struct AppcastItem {
    QString buildVersion;   // compared against the running build
    QString displayVersion; // shown to people
    QString title;
    QString description;    // release notes, HTML
    QUrl url;               // the enclosure
    qint64 length = 0;      // the enclosure's exact size in bytes
    QString type;           // the enclosure's media type
    QByteArray edSignature; // raw, 64 bytes when present
    QString os;
    QString architecture;
    // Why this item must not be downloaded (malformed or unsigned); empty
    // when it may.
    QString defect;
};

} // namespace vellaro
