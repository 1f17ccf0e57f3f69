#include "platform/updater/HostInfo.h"

#include <QSysInfo>

namespace vellaro {

HostInfo HostInfo::ofThisBuild() {
    HostInfo host;
    host.version = QStringLiteral(VELLARO_VERSION);
    host.buildVersion = QStringLiteral(VELLARO_BUILD_NUMBER);
    host.appcastUrl = QUrl(QStringLiteral(VELLARO_APPCAST_URL));
    host.publicKey = QByteArray::fromBase64(QByteArrayLiteral(VELLARO_UPDATE_PUBLIC_KEY));
    host.websiteUrl = QUrl(QStringLiteral(VELLARO_WEBSITE_URL));
    if (host.websiteUrl.isEmpty())
        host.websiteUrl = originOf(host.appcastUrl);
    host.architecture = QSysInfo::buildCpuArchitecture();
    return host;
}

QString HostInfo::whyUnusable() const {
    if (appcastUrl.isEmpty() || !appcastUrl.isValid())
        return QStringLiteral("this build has no update feed");
    if (publicKey.size() != 32)
        return QStringLiteral("this build has no key to check updates with");
    return {};
}

bool HostInfo::runs(const AppcastItem& item) const {
    return item.os == u"linux" && item.architecture == architecture;
}

QUrl HostInfo::originOf(const QUrl& url) {
    if (url.isEmpty())
        return {};
    QUrl origin;
    origin.setScheme(url.scheme());
    origin.setHost(url.host());
    origin.setPort(url.port());
    origin.setPath(QStringLiteral("/"));
    return origin;
}

} // namespace vellaro
