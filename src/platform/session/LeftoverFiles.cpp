#include "platform/session/LeftoverFiles.h"

#include "platform/session/LoginItem.h"
#include "platform/session/OwnedFile.h"
#include "platform/session/UserFolders.h"

#include <QDir>
#include <QLoggingCategory>

namespace vellaro {

namespace {

Q_LOGGING_CATEGORY(lcLeftovers, "vellaro.persistence")

// QLockFile's lock and the names it takes while removing a stale one.
QStringList removeQtLocks(const QString& path) {
    const QFileInfo info(path);
    QDir folder = info.absoluteDir();
    const QString lock = info.fileName() + QStringLiteral(".lock");
    QStringList removed;
    const QStringList names =
        folder.entryList({lock, lock + QStringLiteral(".rmlock*")},
                         QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : names) {
        if (folder.remove(name))
            removed << folder.filePath(name);
    }
    return removed;
}

} // namespace

LeftoverFiles::Folders LeftoverFiles::Folders::ofThisUser() {
    return {dataFolder(), configFolder(), LoginItem::Folders::fromEnvironment().configHome};
}

QStringList LeftoverFiles::remove(const Folders& folders) {
    QStringList kept;
    if (!folders.data.isEmpty()) {
        for (const char* name :
             {"settings.json", "apps.json", "workspaces.json", "clipboard.sealed"})
            kept << folders.data + QLatin1Char('/') + QLatin1String(name);
    }
    QStringList removed;
    if (!folders.config.isEmpty()) {
        const QString defaults = folders.config + QStringLiteral("/defaults.ini");
        kept << defaults << folders.config + QStringLiteral("/keys/clipboard-history-key")
             << folders.config + QStringLiteral("/keys/backend");
        removed << removeQtLocks(defaults);
    }
    if (!folders.configHome.isEmpty())
        kept << folders.configHome + QStringLiteral("/autostart/") +
                    QLatin1String(LoginItem::fileName);
    for (const QString& path : kept)
        removed << OwnedFile::removeStaleTemporaries(path);
    for (const QString& path : removed)
        qCInfo(lcLeftovers).noquote() << "Removed what an unfinished save left:" << path;
    return removed;
}

} // namespace vellaro
