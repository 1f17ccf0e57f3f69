#include "platform/session/SystemActions/DBusCall.h"

#include <QDBusPendingCallWatcher>

namespace vellaro {

void callAsync(const QDBusConnection& bus, const QDBusMessage& call, int timeoutMs,
               std::function<void(const QDBusMessage&)> done) {
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, timeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, done = std::move(done)] {
                         watcher->deleteLater();
                         done(watcher->reply());
                     });
}

} // namespace vellaro
