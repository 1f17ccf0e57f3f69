#include "platform/session/SystemActions/ScreenLocker.h"

#include "platform/session/SystemActions/ActionsLog.h"
#include "platform/session/SystemActions/DBusCall.h"
#include "platform/session/SystemActions/ToolLauncher.h"

#include <array>

namespace vellaro {

namespace {

constexpr int lockTimeoutMs = 2000;

struct LockService {
    const char* service;
    const char* path;
    const char* interface;
};
constexpr std::array lockServices{
    LockService{"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                "org.freedesktop.ScreenSaver"},
    LockService{"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"},
};

} // namespace

ScreenLocker::ScreenLocker(QDBusConnection bus, const ToolLauncher& launcher)
    : bus_(std::move(bus)), launcher_(launcher) {}

QString ScreenLocker::noLockerMessage() {
    return QStringLiteral("Vellaro could not lock the screen: no screen locker is running.");
}

void ScreenLocker::lock() {
    lockThroughService(0);
}

void ScreenLocker::lockThroughService(int index) {
    if (index >= int(lockServices.size())) {
        lockThroughLogind();
        return;
    }
    const LockService& locker = lockServices[std::size_t(index)];
    const QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(locker.service), QLatin1String(locker.path),
                                       QLatin1String(locker.interface), QStringLiteral("Lock"));
    callAsync(bus_, call, lockTimeoutMs, [this, index](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ReplyMessage)
            return;
        qCDebug(lcActions, "%s did not lock: %s", lockServices[std::size_t(index)].service,
                qUtf8Printable(reply.errorMessage()));
        lockThroughService(index + 1);
    });
}

void ScreenLocker::lockThroughLogind() {
    const QString loginctl = QStringLiteral("loginctl");
    if (!launcher_.has(loginctl)) {
        fail();
        return;
    }
    launcher_.launch(loginctl, {QStringLiteral("lock-session")}, [this](int status) {
        if (status != 0)
            fail();
    });
}

void ScreenLocker::fail() const {
    qCWarning(lcActions, "No screen locker answered: the screen is not locked");
    if (auto callback = onFailure_)
        callback(noLockerMessage());
}

} // namespace vellaro
