#include "platform/session/JsonFile.h"

#include "platform/session/FileDescriptor.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
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
            error = QStringLiteral("the file is larger than %1 bytes").arg(limit);
            return false;
        }
    }
}

} // namespace

JsonFile::ReadResult JsonFile::read(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so opening a FIFO returns at once and is refused below.
    const FileDescriptor file(
        ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.isValid()) {
        if (errno == ENOENT)
            return {ReadStatus::missing, {}, QStringLiteral("the file does not exist")};
        return {ReadStatus::unreadable, {}, systemError(errno)};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return {ReadStatus::unreadable, {}, systemError(errno)};
    if (!S_ISREG(info.st_mode))
        return {ReadStatus::unreadable, {}, QStringLiteral("it is not a regular file")};
    if (info.st_size > maximumSize) {
        return {ReadStatus::unreadable,
                {},
                QStringLiteral("the file is larger than %1 bytes").arg(maximumSize)};
    }
    QByteArray data;
    QString error;
    if (!readBounded(file.get(), maximumSize, data, error))
        return {ReadStatus::unreadable, {}, error};

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {ReadStatus::notAnObject, {}, parseError.errorString()};
    if (!document.isObject())
        return {ReadStatus::notAnObject, {}, QStringLiteral("the top level is not an object")};
    return {ReadStatus::ok, document.object(), {}};
}

bool JsonFile::write(const QString& path, const QJsonObject& object, QString* error) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        setError(error, QStringLiteral("cannot create the folder %1").arg(folder));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    // QJsonObject keeps its keys sorted, so the output is sorted at every level.
    const QByteArray data = QJsonDocument(object).toJson(QJsonDocument::Indented);
    // QSaveFile buffers: a failed write to the disk shows only at the flush,
    // and commit() would still rename the short file over the old one.
    errno = 0;
    if (file.write(data) != data.size() || !file.flush()) {
        const int code = errno;
        // Qt's text for a failed flush is often "Unknown error"; the system's says why.
        setError(error, code != 0 ? systemError(code) : file.errorString());
        file.cancelWriting(); // the temporary file goes with `file`
        return false;
    }
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

QString JsonFile::moveAside(const QString& path, QString* error) {
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const QString base = path + QStringLiteral(".rejected-") + stamp;
    QString target = base;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    QFile file(path);
    if (!file.rename(target)) {
        setError(error, file.errorString());
        return {};
    }
    return target;
}

QStringList JsonFile::removeStaleTemporaries(const QString& path) {
    const QFileInfo info(path);
    QDir folder = info.absoluteDir();
    // QSaveFile names its temporary file "<name>.XXXXXX".
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QStringList removed;
    const QFileInfoList entries =
        folder.entryInfoList({info.fileName() + QStringLiteral(".??????")},
                             QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (temporary.match(entry.fileName()).hasMatch() && QFile::remove(entry.absoluteFilePath()))
            removed << entry.absoluteFilePath();
    }
    return removed;
}

} // namespace vellaro
