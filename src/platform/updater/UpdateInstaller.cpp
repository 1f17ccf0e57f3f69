#include "platform/updater/UpdateInstaller.h"

#include "platform/session/OwnedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace vellaro {

namespace {

bool renameOver(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

void dropOtherVersions(const InstallLocation& location, const QString& build) {
    const QDir versions(location.root + QStringLiteral("/versions"));
    const QStringList entries = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry != build && entry != location.runningFolder)
            QDir(versions.filePath(entry)).removeRecursively();
    }
}

} // namespace

QString UpdateInstaller::install(const InstallLocation& location, const QString& stagedPath,
                                 const QString& build) {
    // Whole on disk before the swap makes it the one that starts.
    if (location.kind != InstallLocation::Kind::notSelfUpdatable &&
        !OwnedFile::syncTree(stagedPath))
        return QStringLiteral("The update could not be written to disk.");
    switch (location.kind) {
    case InstallLocation::Kind::appImage:
        if (!renameOver(stagedPath, location.appImagePath))
            return QStringLiteral("The update could not replace %1.").arg(location.appImagePath);
        OwnedFile::syncFolder(QFileInfo(location.appImagePath).absolutePath());
        return {};
    case InstallLocation::Kind::versionFolder: {
        const QString next = location.root + QStringLiteral("/current.new");
        QFile::remove(next);
        if (::symlink(QFile::encodeName(QStringLiteral("versions/") + build).constData(),
                      QFile::encodeName(next).constData()) != 0)
            return QStringLiteral("The update could not be linked in %1.").arg(location.root);
        if (!renameOver(next, location.root + QStringLiteral("/current"))) {
            QFile::remove(next);
            return QStringLiteral("The update could not be linked in %1.").arg(location.root);
        }
        OwnedFile::syncFolder(location.root);
        dropOtherVersions(location, build);
        return {};
    }
    case InstallLocation::Kind::notSelfUpdatable:
        break;
    }
    return location.reason;
}

} // namespace vellaro
