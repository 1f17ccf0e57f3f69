#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QStringList>

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
// notices when a client holding an inhibition leaves the bus.
class FakeFreedesktopScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    explicit FakeFreedesktopScreenSaver(QDBusConnection bus) : bus_(std::move(bus)) {}

    QStringList calls;
    QStringList vanished;

public Q_SLOTS:
    void Lock() { calls << QStringLiteral("Lock"); }
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

public Q_SLOTS:
    void Lock() { calls << QStringLiteral("Lock"); }
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
        services_ << service;
        return bus_.registerObject(path, object, QDBusConnection::ExportAllSlots) &&
               bus_.registerService(service);
    }

private:
    QString name_;
    QDBusConnection bus_;
    QStringList services_;
};

} // namespace vellaro::test
