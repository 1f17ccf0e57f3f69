#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace vellaro::test {

// Locks and unlocks a collection of the session's gnome-keyring over D-Bus,
// as the person's desktop does (secret-tool can lock but not unlock).
class GnomeKeyring {
public:
    static constexpr char login[] = "/org/freedesktop/secrets/collection/login";

    static bool lock(const QString& collection = login) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, "/org/freedesktop/secrets", "org.freedesktop.Secret.Service", "Lock");
        call << QVariant::fromValue(QList<QDBusObjectPath>{QDBusObjectPath(collection)});
        return QDBusConnection::sessionBus().call(call).type() == QDBusMessage::ReplyMessage;
    }

    // The secret travels in a session of this connection, in plain.
    static bool unlock(const QByteArray& password, const QString& collection = login) {
        QDBusMessage open = QDBusMessage::createMethodCall(
            service, "/org/freedesktop/secrets", "org.freedesktop.Secret.Service", "OpenSession");
        open << QString("plain") << QVariant::fromValue(QDBusVariant(QString()));
        const QDBusMessage opened = QDBusConnection::sessionBus().call(open);
        if (opened.type() != QDBusMessage::ReplyMessage || opened.arguments().size() < 2)
            return false;
        const auto session = opened.arguments().at(1).value<QDBusObjectPath>();
        QDBusArgument secret;
        secret.beginStructure();
        secret << session << QByteArray() << password << QString("text/plain");
        secret.endStructure();
        QDBusMessage unlock = QDBusMessage::createMethodCall(
            service, "/org/freedesktop/secrets",
            "org.gnome.keyring.InternalUnsupportedGuiltRiddenInterface",
            "UnlockWithMasterPassword");
        unlock << QVariant::fromValue(QDBusObjectPath(collection)) << QVariant::fromValue(secret);
        return QDBusConnection::sessionBus().call(unlock).type() == QDBusMessage::ReplyMessage;
    }

private:
    static constexpr char service[] = "org.freedesktop.secrets";
};

} // namespace vellaro::test
