#pragma once

#include "platform/updater/AppcastItem.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace vellaro {

// What the running build is and where its updates come from.
struct HostInfo {
    QString version;      // shown to people ("0.1.0")
    QString buildVersion; // compared against the feed's items
    QUrl appcastUrl;
    QByteArray publicKey; // raw Ed25519 key, 32 bytes
    QUrl websiteUrl;      // where the latest version can be downloaded
    QString architecture; // as the feed's items name it

    // The values this build was configured with; the web site defaults to
    // the feed's origin.
    static HostInfo ofThisBuild();

    // Why updates cannot run with these values; empty when they can.
    QString whyUnusable() const;

    // Whether the item is built for this system and processor.
    bool runs(const AppcastItem& item) const;

    static QUrl originOf(const QUrl& url);
};

} // namespace vellaro
