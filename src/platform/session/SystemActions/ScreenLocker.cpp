#include "platform/session/SystemActions/ScreenLocker.h"

#include "platform/session/SystemActions/ActionsLog.h"
#include "platform/session/SystemActions/DBusCall.h"
#include "platform/session/SystemActions/ToolLauncher.h"

#include <QDBusVariant>
#include <array>

namespace vellaro {

namespace {

constexpr int lockTimeoutMs = 2000;
constexpr int askTimeoutMs = 1000;

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

QDBusMessage lockedHintCall() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1/session/auto"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("LockedHint");
    return call;
}

bool answersTrue(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    QVariant value = reply.arguments().constFirst();
    if (value.canConvert<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value.typeId() == QMetaType::Bool && value.toBool();
}

} // namespace

ScreenLocker::ScreenLocker(QDBusConnection bus, QDBusConnection logindBus,
                           const ToolLauncher& launcher, Scheduler& scheduler)
    : bus_(std::move(bus)), logindBus_(std::move(logindBus)), launcher_(launcher),
      scheduler_(scheduler), self_(std::make_shared<ScreenLocker*>(this)) {}

ScreenLocker::~ScreenLocker() {
    if (nextCheck_)
        scheduler_.cancel(*nextCheck_);
}

QString ScreenLocker::noLockerMessage() {
    return QStringLiteral("Vellaro could not lock the screen: no screen locker is running.");
}

ScreenLocker* ScreenLocker::Ticket::current() const {
    const auto self = locker.lock();
    return self && (*self)->attempt_ == attempt ? *self : nullptr;
}

void ScreenLocker::lock() {
    ++attempt_;
    if (nextCheck_)
        scheduler_.cancel(*nextCheck_);
    nextCheck_.reset();
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
    callAsync(bus_, call, lockTimeoutMs, [ticket = ticket(), index](const QDBusMessage& reply) {
        ScreenLocker* self = ticket.current();
        if (!self)
            return;
        if (reply.type() == QDBusMessage::ReplyMessage) {
            self->confirm();
            return;
        }
        qCDebug(lcActions, "%s did not lock: %s", lockServices[std::size_t(index)].service,
                qUtf8Printable(reply.errorMessage()));
        self->lockThroughService(index + 1);
    });
}

void ScreenLocker::lockThroughLogind() {
    const QString loginctl = QStringLiteral("loginctl");
    if (!launcher_.has(loginctl)) {
        fail();
        return;
    }
    // loginctl only passes the request on: its success says nothing yet.
    launcher_.launch(loginctl, {QStringLiteral("lock-session")}, [ticket = ticket()](int status) {
        ScreenLocker* self = ticket.current();
        if (!self)
            return;
        if (status == 0)
            self->confirm();
        else
            self->fail();
    });
}

void ScreenLocker::confirm() {
    deadline_ = scheduler_.now() + confirmWindow;
    checkLocked();
}

void ScreenLocker::checkLocked() {
    nextCheck_.reset();
    askLocked(0, [ticket = ticket()](bool locked) {
        ScreenLocker* self = ticket.current();
        if (!self)
            return;
        ScreenLocker& locker = *self;
        if (locked) {
            qCInfo(lcActions, "Screen locked");
        } else if (locker.scheduler_.now() >= locker.deadline_) {
            locker.fail();
        } else {
            locker.nextCheck_ =
                locker.scheduler_.schedule(confirmInterval, [&locker] { locker.checkLocked(); });
        }
    });
}

// Asks logind, then each screen saver, whether the screen is locked; the
// first yes ends the round.
void ScreenLocker::askLocked(int index, std::function<void(bool)> answer) {
    if (index > int(lockServices.size())) {
        answer(false);
        return;
    }
    QDBusMessage call;
    if (index == 0) {
        call = lockedHintCall();
    } else {
        const LockService& saver = lockServices[std::size_t(index - 1)];
        call = QDBusMessage::createMethodCall(
            QLatin1String(saver.service), QLatin1String(saver.path), QLatin1String(saver.interface),
            QStringLiteral("GetActive"));
    }
    callAsync(index == 0 ? logindBus_ : bus_, call, askTimeoutMs,
              [ticket = ticket(), index, answer = std::move(answer)](const QDBusMessage& reply) {
                  ScreenLocker* self = ticket.current();
                  if (!self)
                      return;
                  if (answersTrue(reply))
                      answer(true);
                  else
                      self->askLocked(index + 1, answer);
              });
}

void ScreenLocker::fail() const {
    qCWarning(lcActions, "No screen locker locked the screen: it is not locked");
    if (auto callback = onFailure_)
        callback(noLockerMessage());
}

} // namespace vellaro
