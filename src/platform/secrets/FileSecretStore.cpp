#include "platform/secrets/FileSecretStore.h"

#include "platform/secrets/Logging.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellaro {

namespace {

constexpr qint64 maximumSecretSize = 4096;

QString errorText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writeAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return ::fsync(fd) == 0;
}

bool makePrivateFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    return ::chmod(QFile::encodeName(folder).constData(), 0700) == 0;
}

} // namespace

FileSecretStore::FileSecretStore(QString folder, QString name)
    : folder_(std::move(folder)), name_(std::move(name)) {}

QString FileSecretStore::filePath() const {
    return folder_ + QLatin1Char('/') + name_;
}

SecretStore::Result FileSecretStore::lookup() {
    QFile file(filePath());
    if (!file.exists())
        return {Status::notFound, {}};
    if (!file.open(QIODevice::ReadOnly) || file.size() > maximumSecretSize) {
        qCWarning(lcSecrets).noquote() << "Key file unreadable:" << file.errorString();
        return {Status::unavailable, {}};
    }
    const QByteArray secret = file.readAll();
    if (file.error() != QFileDevice::NoError || secret.isEmpty()) {
        qCWarning(lcSecrets).noquote() << "Key file unreadable:" << filePath();
        return {Status::unavailable, {}};
    }
    return {Status::found, secret};
}

SecretStore::Result FileSecretStore::add(const QByteArray& secret) {
    if (folder_.isEmpty() || !makePrivateFolder(folder_)) {
        qCWarning(lcSecrets).noquote() << "Cannot prepare the key folder" << folder_;
        return {Status::unavailable, {}};
    }
    QByteArray temporary = QFile::encodeName(filePath() + QStringLiteral(".new-XXXXXX"));
    const int fd = ::mkstemp(temporary.data()); // mkstemp creates it 0600
    if (fd < 0) {
        qCWarning(lcSecrets).noquote() << "Cannot create a key file:" << errorText();
        return {Status::unavailable, {}};
    }
    const bool written = writeAll(fd, secret);
    ::close(fd);
    Result result{Status::unavailable, {}};
    if (!written) {
        qCWarning(lcSecrets).noquote() << "Cannot write the key file:" << errorText();
    } else if (::link(temporary.constData(), QFile::encodeName(filePath()).constData()) == 0) {
        result = {Status::found, secret};
    } else if (errno == EEXIST) {
        // Another creator won: its secret is the one.
        result = lookup();
    } else {
        qCWarning(lcSecrets).noquote() << "Cannot place the key file:" << errorText();
    }
    ::unlink(temporary.constData());
    return result;
}

} // namespace vellaro
