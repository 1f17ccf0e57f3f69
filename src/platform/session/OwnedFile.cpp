#include "platform/session/OwnedFile.h"

#include "platform/session/FileDescriptor.h"
#include "platform/session/OwnedFileWriter.h"
#include "platform/session/SetAsideNotice.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellaro {

namespace {

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

QString sizeText(qint64 bytes) {
    constexpr qint64 mebibyte = 1024 * 1024;
    return bytes % mebibyte == 0 ? QStringLiteral("%1 MiB").arg(bytes / mebibyte)
                                 : QStringLiteral("%1 bytes").arg(bytes);
}

QString tooLarge(qint64 limit) {
    return QStringLiteral("the file is larger than ") + sizeText(limit);
}

// Reads at most `limit` + 1 bytes, so a file that grew past the limit after
// the size check is still noticed.
bool readBounded(int fd, qint64 limit, QByteArray& data, QString& error) {
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            error = systemError(errno);
            return false;
        }
        if (count == 0)
            return true;
        data.append(buffer, count);
        if (data.size() > limit) {
            error = tooLarge(limit);
            return false;
        }
    }
}

bool syncOne(const QString& path, QString* error) {
    const FileDescriptor file(::open(QFile::encodeName(path).constData(),
                                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.isValid() || ::fsync(file.get()) != 0) {
        setError(error, path + QStringLiteral(": ") + systemError(errno));
        return false;
    }
    return true;
}

} // namespace

OwnedFile::ReadResult OwnedFile::read(const QString& path, qint64 limit) {
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so opening a FIFO returns at once and is refused below.
    const FileDescriptor file(
        ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.isValid()) {
        const int code = errno;
        struct stat link {};
        if (code == ENOENT && ::lstat(name.constData(), &link) == 0)
            return {ReadStatus::unreadable, {}, QStringLiteral("it is a link to a missing file")};
        if (code == ENOENT)
            return {ReadStatus::missing, {}, QStringLiteral("the file does not exist")};
        return {ReadStatus::unreadable, {}, systemError(code)};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return {ReadStatus::unreadable, {}, systemError(errno)};
    if (!S_ISREG(info.st_mode))
        return {ReadStatus::unreadable, {}, QStringLiteral("it is not a regular file")};
    if (info.st_size > limit)
        return {ReadStatus::unreadable, {}, tooLarge(limit)};
    QByteArray data;
    QString error;
    if (!readBounded(file.get(), limit, data, error))
        return {ReadStatus::unreadable, {}, error};
    return {ReadStatus::ok, data, {}};
}

bool OwnedFile::write(const QString& path, const QByteArray& data, qint64 limit, QString* error) {
    if (data.size() > limit) {
        setError(error, QStringLiteral("the file would be larger than ") + sizeText(limit));
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        setError(error, QStringLiteral("cannot create the folder %1").arg(folder));
        return false;
    }
    OwnedFileWriter file(path, limit);
    if (file.isOpen() && file.write(data) && file.replace())
        return true;
    setError(error, file.errorString());
    return false;
}

bool OwnedFile::exists(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

QString OwnedFile::moveAside(const QString& path, QString* error) {
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const QString base = path + QStringLiteral(".rejected-") + stamp;
    const QByteArray from = QFile::encodeName(path);
    for (int n = 1;; ++n) {
        const QString target = n == 1 ? base : base + QLatin1Char('-') + QString::number(n);
        // Never over a copy kept earlier; a link is moved, not what it names.
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, QFile::encodeName(target).constData(),
                        RENAME_NOREPLACE) == 0) {
            SetAsideNotice::tell(path, target);
            return target;
        }
        if (errno != EEXIST) {
            setError(error, systemError(errno));
            return {};
        }
    }
}

QStringList OwnedFile::removeStaleTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    // Qt's QSaveFile named its temporaries "<name>.XXXXXX".
    const QRegularExpression qtTemporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QStringList removed;
    const QFileInfoList entries =
        folder.entryInfoList({info.fileName() + QStringLiteral(".*")},
                             QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if ((OwnedFileWriter::isTemporaryOf(info.fileName(), name) ||
             qtTemporary.match(name).hasMatch()) &&
            QFile::remove(entry.absoluteFilePath()))
            removed << entry.absoluteFilePath();
    }
    return removed;
}

bool OwnedFile::syncTree(const QString& path, QString* error) {
    const QFileInfo top(path);
    if (top.isDir() && !top.isSymLink()) {
        QDirIterator entries(path, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QFileInfo entry(entries.next());
            if (!entry.isSymLink() && !syncOne(entry.filePath(), error))
                return false;
        }
    }
    return syncOne(path, error) && syncFolder(top.absolutePath(), error);
}

bool OwnedFile::syncFolder(const QString& folder, QString* error) {
    return syncOne(folder, error);
}

} // namespace vellaro
