#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QSocketNotifier>
#include <QStringList>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace vellaro::test {

// A notification server that only tells its name.
class FakeNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QString name;
    QString vendor;

public Q_SLOTS:
    QString GetServerInformation(QString& vendorOut, QString& version, QString& specVersion) {
        vendorOut = vendor;
        version = QStringLiteral("1.0");
        specVersion = QStringLiteral("1.2");
        return name;
    }
};

// The freedesktop screen saver: records Lock, Inhibit and UnInhibit, and
// notices when a client holding an inhibition leaves the bus. Lock turns it
// on (GetActive) unless it only pretends to lock.
class FakeFreedesktopScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    explicit FakeFreedesktopScreenSaver(QDBusConnection bus) : bus_(std::move(bus)) {}

    QStringList calls;
    QStringList vanished;
    bool locks = true;
    bool active = false;

public Q_SLOTS:
    void Lock() {
        calls << QStringLiteral("Lock");
        active = locks;
    }
    bool GetActive() { return active; }
    uint Inhibit(const QString& application, const QString& reason) {
        const uint cookie = 41 + uint(calls.size());
        calls << QStringLiteral("Inhibit %1 %2 %3").arg(application, reason).arg(cookie);
        auto* watcher = new QDBusServiceWatcher(message().service(), bus_,
                                                QDBusServiceWatcher::WatchForUnregistration, this);
        connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this,
                [this](const QString& name) { vanished << name; });
        return cookie;
    }
    void UnInhibit(uint cookie) { calls << QStringLiteral("UnInhibit %1").arg(cookie); }

private:
    QDBusConnection bus_;
};

class FakeGnomeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.ScreenSaver")
public:
    QStringList calls;
    bool active = false;

public Q_SLOTS:
    void Lock() {
        calls << QStringLiteral("Lock");
        active = true;
    }
    bool GetActive() { return active; }
};

// logind's view of our session: whether a locker says it locked it.
class FakeLogindSession : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint READ lockedHint)
public:
    bool locked = false;
    bool lockedHint() const { return locked; }
};

// logind's manager: Inhibit hands out one end of a pipe, and the inhibitor
// lasts until every copy of that end is closed (the other end then reads
// the end of the file).
class FakeLogindManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    ~FakeLogindManager() override {
        for (const Held& held : held_)
            ::close(held.readEnd);
    }

    QStringList calls;
    // The inhibitors still held, by their call.
    QStringList held() const {
        QStringList list;
        for (const Held& held : held_)
            if (!held.released)
                list << held.call;
        return list;
    }

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode) {
        const QString call = QStringList{QStringLiteral("Inhibit"), what, who, why, mode}.join(' ');
        calls << call;
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return {};
        QDBusUnixFileDescriptor handed(ends[1]); // a copy of its own
        ::close(ends[1]);
        held_.push_back({call, ends[0], false});
        auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
        const std::size_t index = held_.size() - 1;
        connect(notifier, &QSocketNotifier::activated, this, [this, notifier, index] {
            char byte;
            if (::read(held_[index].readEnd, &byte, 1) <= 0) {
                held_[index].released = true;
                notifier->setEnabled(false);
            }
        });
        return handed;
    }

private:
    struct Held {
        QString call;
        int readEnd;
        bool released;
    };
    std::vector<Held> held_;
};

// A connection of its own on the session bus that serves fakes under
// well-known names; everything is gone when it is destroyed.
class FakeServiceBus {
public:
    explicit FakeServiceBus(const QString& connectionName)
        : name_(connectionName),
          bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName)) {}
    ~FakeServiceBus() {
        // Fakes may keep the connection alive: give the names up first.
        for (const QString& service : std::as_const(services_))
            bus_.unregisterService(service);
        QDBusConnection::disconnectFromBus(name_);
    }

    QDBusConnection& bus() { return bus_; }
    bool serve(const QString& service, const QString& path, QObject* object) {
        return serveObject(path, object) && serveName(service);
    }
    // One more object under a name served already, or to be.
    bool serveObject(const QString& path, QObject* object) {
        return bus_.registerObject(
            path, object, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    }
    bool serveName(const QString& service) {
        services_ << service;
        return bus_.registerService(service);
    }

private:
    QString name_;
    QDBusConnection bus_;
    QStringList services_;
};

} // namespace vellaro::test
