#include "platform/updater/UpdateStaging.h"

#include "platform/crypto/Ed25519.h"
#include "platform/session/OwnedFile.h"
#include "platform/updater/ArchiveExtractor.h"
#include "platform/updater/UpdateManifest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace vellaro {

namespace {

const QString downloadSuffix = QStringLiteral(".download");
const QString partialSuffix = QStringLiteral(".partial");

void removeAny(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

} // namespace

UpdateStaging::UpdateStaging(InstallLocation location) : location_(std::move(location)) {}

QString UpdateStaging::folder() const {
    return location_.kind == InstallLocation::Kind::appImage
               ? QFileInfo(location_.appImagePath).path()
               : location_.root + QStringLiteral("/versions");
}

QString UpdateStaging::downloadPath(const QString& build) const {
    if (location_.kind == InstallLocation::Kind::appImage)
        return folder() + QStringLiteral("/.") + QFileInfo(location_.appImagePath).fileName() +
               QLatin1Char('-') + build + downloadSuffix;
    return folder() + QStringLiteral("/.") + build + downloadSuffix;
}

QString UpdateStaging::stagedPath(const QString& build) const {
    if (location_.kind == InstallLocation::Kind::appImage)
        return folder() + QStringLiteral("/.") + QFileInfo(location_.appImagePath).fileName() +
               QLatin1Char('-') + build;
    return folder() + QLatin1Char('/') + build;
}

bool UpdateStaging::isStaged(const QString& build) const {
    if (!location_.canUpdate())
        return false;
    const QFileInfo staged(stagedPath(build));
    if (location_.kind == InstallLocation::Kind::appImage)
        return staged.isFile() && !staged.isSymLink() &&
               UpdateManifest::checkAppImage(stagedPath(build), build).isEmpty();
    return build != location_.runningFolder && staged.isDir() && !staged.isSymLink() &&
           QFileInfo(stagedPath(build) + QStringLiteral("/bin/vellaro")).isExecutable() &&
           UpdateManifest::check(stagedPath(build), build).isEmpty();
}

void UpdateStaging::removeLeftovers() const {
    if (!location_.canUpdate())
        return;
    // Only names of our own making: an AppImage's folder is shared with others.
    const QString prefix = location_.kind == InstallLocation::Kind::appImage
                               ? QStringLiteral(".") +
                                     QFileInfo(location_.appImagePath).fileName() +
                                     QStringLiteral("-*")
                               : QStringLiteral(".*");
    QDirIterator entries(folder(), {prefix + downloadSuffix, prefix + partialSuffix},
                         QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System |
                             QDir::NoDotAndDotDot);
    while (entries.hasNext())
        removeAny(entries.next());
}

void UpdateStaging::removeDownload(const QString& build) const {
    QFile::remove(downloadPath(build));
}

QString UpdateStaging::verifyAndStage(const AppcastItem& item, const QByteArray& publicKey,
                                      const std::function<void(double)>& progress) const {
    const QString download = downloadPath(item.buildVersion);
    const auto fail = [&](const QString& error) {
        QFile::remove(download);
        return error;
    };
    const QFileInfo info(download);
    if (!info.isFile() || info.isSymLink() || info.size() != item.length)
        return fail(QStringLiteral("The download does not have the announced size."));
    if (!Ed25519::verifyFile(publicKey, download, item.edSignature).isEmpty())
        return fail(QStringLiteral("The update's signature is not valid."));
    const QString error = location_.kind == InstallLocation::Kind::appImage
                              ? stageAppImage(download, item.buildVersion)
                              : stageVersionFolder(download, item.buildVersion, progress);
    QFile::remove(download);
    return error;
}

QString UpdateStaging::stageAppImage(const QString& download, const QString& build) const {
    if (const QString error = UpdateManifest::checkAppImage(download, build); !error.isEmpty())
        return error;
    struct stat current {};
    if (::stat(QFile::encodeName(location_.appImagePath).constData(), &current) != 0 ||
        ::chmod(QFile::encodeName(download).constData(), current.st_mode & 07777) != 0)
        return QStringLiteral("The update could not be prepared.");
    const QString staged = stagedPath(build);
    QFile::remove(staged);
    // On disk before it takes a name that counts: a power cut must not leave
    // an empty file to be installed.
    if (!OwnedFile::syncTree(download) || ::rename(QFile::encodeName(download).constData(),
                                                   QFile::encodeName(staged).constData()) != 0)
        return QStringLiteral("The update could not be prepared.");
    OwnedFile::syncFolder(folder());
    return {};
}

QString UpdateStaging::stageVersionFolder(const QString& download, const QString& build,
                                          const std::function<void(double)>& progress) const {
    if (build == location_.runningFolder)
        return QStringLiteral("This version is already installed.");
    const QString partial = folder() + QStringLiteral("/.") + build + partialSuffix;
    removeAny(partial);
    QString error = ArchiveExtractor::extract(download, partial, progress);
    if (error.isEmpty())
        error = UpdateManifest::check(partial, build);
    if (!error.isEmpty()) {
        removeAny(partial);
        return error;
    }
    const QString staged = stagedPath(build);
    removeAny(staged);
    if (!OwnedFile::syncTree(partial) || ::rename(QFile::encodeName(partial).constData(),
                                                  QFile::encodeName(staged).constData()) != 0) {
        QDir(partial).removeRecursively();
        return QStringLiteral("The update could not be prepared.");
    }
    OwnedFile::syncFolder(folder());
    return {};
}

} // namespace vellaro
