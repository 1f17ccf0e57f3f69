#include "platform/secrets/FileSecretStore.h"

#include "platform/secrets/Logging.h"
#include "platform/secrets/PrivateFile.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace vellaro {

namespace {

constexpr qint64 maximumSecretSize = 4096;

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
    PrivateFile file(filePath());
    if (file.write(secret) && file.link())
        return {Status::found, secret};
    // Another creator won: its secret is the one.
    if (file.taken())
        return lookup();
    qCWarning(lcSecrets).noquote() << "Cannot write the key file:" << file.errorString();
    return {Status::unavailable, {}};
}

} // namespace vellaro
