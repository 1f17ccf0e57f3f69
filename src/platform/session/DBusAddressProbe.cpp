#include "platform/session/DBusAddressProbe.h"

#include "platform/session/FileDescriptor.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vellaro {

namespace {

// The value of `key` in one address's "key=value,..." list, %-escapes decoded.
QByteArray addressValue(const QString& parameters, const QString& key) {
    for (const QString& pair : parameters.split(QLatin1Char(','))) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (equals > 0 && pair.left(equals) == key)
            return QByteArray::fromPercentEncoding(pair.mid(equals + 1).toUtf8());
    }
    return {};
}

bool waitFor(int fd, short events, const QDeadlineTimer& deadline) {
    pollfd entry{fd, events, 0};
    for (;;) {
        const int result = ::poll(&entry, 1, int(deadline.remainingTime()));
        if (result > 0)
            return true;
        if (result == 0 || errno != EINTR)
            return false;
    }
}

// Connects, offers EXTERNAL authentication and waits for the server's "OK".
bool answersHandshake(const QByteArray& path, bool abstract, const QDeadlineTimer& deadline) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const qsizetype offset = abstract ? 1 : 0; // an abstract name starts with a NUL
    if (path.isEmpty() || path.size() + offset >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path + offset, path.constData(), path.size());
    const socklen_t length =
        socklen_t(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
    const FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.isValid())
        return false;
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        if (errno != EINPROGRESS || !waitFor(socket.get(), POLLOUT, deadline))
            return false;
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
            return false;
    }
    const QByteArray uid = QByteArray::number(::getuid()).toHex();
    const QByteArray hello = QByteArray(1, '\0') + "AUTH EXTERNAL " + uid + "\r\n";
    if (::send(socket.get(), hello.constData(), hello.size(), MSG_NOSIGNAL) != hello.size())
        return false;
    QByteArray reply;
    while (!reply.contains("\r\n")) {
        if (!waitFor(socket.get(), POLLIN, deadline))
            return false;
        char buffer[256];
        const ssize_t count = ::recv(socket.get(), buffer, sizeof buffer, 0);
        if (count <= 0 && !(count < 0 && (errno == EAGAIN || errno == EINTR)))
            return false;
        if (count > 0)
            reply.append(buffer, count);
    }
    // REJECTED or ERROR still means a live server that answers.
    return true;
}

} // namespace

DBusAddressProbe::Answer DBusAddressProbe::probe(const QString& addressList,
                                                 std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    bool triedOne = false;
    for (const QString& address : addressList.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!address.startsWith(QStringLiteral("unix:")))
            continue;
        const QString parameters = address.mid(5);
        const QByteArray path = addressValue(parameters, QStringLiteral("path"));
        const QByteArray abstract = addressValue(parameters, QStringLiteral("abstract"));
        if (path.isEmpty() && abstract.isEmpty())
            continue;
        triedOne = true;
        if (answersHandshake(path.isEmpty() ? abstract : path, path.isEmpty(), deadline))
            return Answer::answers;
        if (deadline.hasExpired())
            break;
    }
    return triedOne ? Answer::silent : Answer::cannotTell;
}

QString DBusAddressProbe::sessionBusAddress() {
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString socket = runtime + QStringLiteral("/bus");
    if (!runtime.isEmpty() && QFileInfo(socket).exists())
        return QStringLiteral("unix:path=") + socket;
    return {};
}

} // namespace vellaro
