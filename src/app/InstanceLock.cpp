#include "app/InstanceLock.h"

#include "app/X11Display.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vellaro {

InstanceLock::InstanceLock(const QString& runtimeDir, const QString& display) {
    // Every spelling of one display shares the lock.
    QString name = display.isEmpty() ? QStringLiteral("none") : X11Display::normalizedName(display);
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._:-]"));
    name.replace(unsafe, QStringLiteral("_"));
    path_ = QDir(runtimeDir).filePath(QStringLiteral("vellaro-%1.lock").arg(name));
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_); // drops the lock; the file stays for the next start
}

bool InstanceLock::tryLock() {
    if (fd_ >= 0)
        return true;
    error_.clear();
    heldByAnother_ = false;
    const QByteArray file = QFile::encodeName(path_);
    const int fd = ::open(file.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        heldByAnother_ = errno == EWOULDBLOCK;
        error_ = heldByAnother_ ? QStringLiteral("held by another process")
                                : QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return false;
    }
    // The holder's PID, for a person looking at the file.
    const QByteArray pid = QByteArray::number(::getpid()) + '\n';
    if (::ftruncate(fd, 0) == 0 && ::write(fd, pid.constData(), pid.size()) < 0)
        error_.clear();
    fd_ = fd;
    return true;
}

QString InstanceLock::defaultRuntimeDir() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

} // namespace vellaro
