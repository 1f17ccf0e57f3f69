#include "platform/session/SessionBus.h"

#include "platform/session/DBusAddressProbe.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QFutureWatcher>
#include <QLoggingCategory>
#include <QPointer>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <vector>

namespace vellaro {

namespace {

Q_LOGGING_CATEGORY(lcSessionBus, "vellaro.dbus")

enum class State { unknown, probing, answering, unusable };

struct Waiter {
    QPointer<QObject> context;
    std::function<void(const QDBusConnection&)> ready;
};

State state = State::unknown;
std::vector<Waiter> waiters;

void probed(DBusAddressProbe::Answer answer) {
    const std::vector<Waiter> waiting = std::move(waiters);
    waiters.clear();
    if (answer == DBusAddressProbe::Answer::silent) {
        state = State::unusable;
        qCWarning(lcSessionBus) << "The session bus does not answer; going on without it";
        return;
    }
    const QDBusConnection bus = QDBusConnection::sessionBus();
    state = bus.isConnected() ? State::answering : State::unusable;
    if (state == State::unusable) {
        qCInfo(lcSessionBus).noquote() << "No session bus:" << bus.lastError().message();
        return;
    }
    for (const Waiter& waiter : waiting) {
        if (waiter.context)
            waiter.ready(bus);
    }
}

void startProbe() {
    state = State::probing;
    const QString address = DBusAddressProbe::sessionBusAddress();
    if (address.isEmpty()) {
        // Qt would fall back to autolaunching a bus, which may wait too.
        state = State::unusable;
        qCInfo(lcSessionBus) << "No session bus address; going on without the bus";
        waiters.clear();
        return;
    }
    auto promise = std::make_shared<QPromise<DBusAddressProbe::Answer>>();
    auto* watcher = new QFutureWatcher<DBusAddressProbe::Answer>(QCoreApplication::instance());
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [watcher] {
        watcher->deleteLater();
        probed(watcher->future().result());
    });
    watcher->setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, address] {
        promise->addResult(DBusAddressProbe::probe(
            address, std::chrono::milliseconds(SessionBus::answerTimeoutMs)));
        promise->finish();
    });
}

} // namespace

void SessionBus::checkBeforeStart(std::chrono::milliseconds timeout) {
    const QString address = DBusAddressProbe::sessionBusAddress();
    if (address.isEmpty() ||
        DBusAddressProbe::probe(address, timeout) != DBusAddressProbe::Answer::silent)
        return; // the connection is made when first asked for, without waiting
    qCWarning(lcSessionBus) << "The session bus does not answer; going on without it";
    // An address of no known transport makes every connection fail at once.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    state = State::unusable;
}

void SessionBus::whenAnswering(QObject* context,
                               std::function<void(const QDBusConnection&)> ready) {
    switch (state) {
    case State::answering:
        ready(QDBusConnection::sessionBus());
        return;
    case State::unusable:
        return;
    case State::unknown:
        waiters.push_back({context, std::move(ready)});
        startProbe();
        return;
    case State::probing:
        waiters.push_back({context, std::move(ready)});
        return;
    }
}

} // namespace vellaro
