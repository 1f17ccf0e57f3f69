#include "platform/updater/UpdateUrlPolicy.h"

#include <QHostAddress>

namespace vellaro {

bool UpdateUrlPolicy::allows(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"https")
        return true;
    if (scheme != u"http")
        return false;
    const QString host = url.host().toLower();
    if (host == u"localhost")
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace vellaro
