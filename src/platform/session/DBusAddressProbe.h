#pragma once

#include <QString>

#include <chrono>

namespace vellaro {

// Whether a D-Bus server at one of the addresses of a bus address list
// ("unix:path=...;unix:abstract=...") answers the authentication handshake
// within `timeout`. Used off the main thread before Qt's own connection, which
// waits without a time-out on a bus that accepts and then stays silent.
class DBusAddressProbe {
public:
    enum class Answer { answers, silent, cannotTell };

    // cannotTell: no address of a transport the probe speaks (Unix sockets).
    static Answer probe(const QString& addressList, std::chrono::milliseconds timeout);

    // The session bus's address list: DBUS_SESSION_BUS_ADDRESS, else the
    // runtime folder's "bus" socket when there is one; empty without either.
    static QString sessionBusAddress();
};

} // namespace vellaro
