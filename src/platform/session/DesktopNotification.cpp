#include "platform/session/DesktopNotification.h"

#include "platform/session/SessionBus.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QLoggingCategory>
#include <QStringList>
#include <QVariantMap>

namespace vellaro {

namespace {
Q_LOGGING_CATEGORY(lcNotification, "vellaro.notification")
} // namespace

void DesktopNotification::post(const QString& summary, const QString& body) {
    SessionBus::whenAnswering(
        QCoreApplication::instance(), [summary, body](const QDBusConnection& bus) {
            QDBusMessage message = QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.Notifications"),
                QStringLiteral("/org/freedesktop/Notifications"),
                QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
            message << QStringLiteral("Vellaro") << uint(0) << QStringLiteral("org.vellaro.Vellaro")
                    << summary << body << QStringList() << QVariantMap() << int(-1);
            auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, timeoutMs));
            QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                             [](QDBusPendingCallWatcher* call) {
                                 call->deleteLater();
                                 if (call->isError()) {
                                     qCInfo(lcNotification).noquote()
                                         << "No desktop notification:" << call->error().message();
                                 }
                             });
        });
}

} // namespace vellaro
