#include "platform/secrets/FileSecretStore.h"

#include "platform/secrets/Logging.h"
#include "platform/session/OwnedFile.h"
#include "platform/session/OwnedFileWriter.h"

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
    const OwnedFile::ReadResult file = OwnedFile::read(filePath(), maximumSecretSize);
    if (file.status == OwnedFile::ReadStatus::missing)
        return {Status::notFound, {}};
    if (file.status == OwnedFile::ReadStatus::unreadable || file.data.isEmpty()) {
        qCWarning(lcSecrets).noquote()
            << "Key file unreadable:" << filePath()
            << (file.data.isEmpty() && file.error.isEmpty() ? QStringLiteral("(empty)")
                                                            : file.error);
        return {Status::unavailable, {}};
    }
    return {Status::found, file.data};
}

SecretStore::Result FileSecretStore::add(const QByteArray& secret) {
    if (folder_.isEmpty() || !makePrivateFolder(folder_)) {
        qCWarning(lcSecrets).noquote() << "Cannot prepare the key folder" << folder_;
        return {Status::unavailable, {}};
    }
    OwnedFileWriter file(filePath(), maximumSecretSize, true);
    if (file.write(secret) && file.link())
        return {Status::found, secret};
    // Another creator won: its secret is the one.
    if (file.taken())
        return lookup();
    qCWarning(lcSecrets).noquote() << "Cannot write the key file:" << file.errorString();
    return {Status::unavailable, {}};
}

} // namespace vellaro
