#include "providers/apps/AppsStore.h"

#include "model/Logging.h"
#include "platform/apps/AppCatalog.h"
#include "platform/apps/DesktopFavorites.h"
#include "platform/session/JsonFile.h"
#include "platform/session/OwnedFile.h"
#include "platform/session/UserFolders.h"

#include <QDir>
#include <QFileInfo>

namespace vellaro {

AppsStore::AppsStore(QString filePath, Defaults defaults)
    : filePath_(std::move(filePath)), defaults_(std::move(defaults)) {
    if (!filePath_.isEmpty())
        QDir().mkpath(QFileInfo(filePath_).absolutePath()); // a failure shows at the first save
}

QString AppsStore::defaultFilePath() {
    const QString folder = dataFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/apps.json");
}

AppsStore::Defaults AppsStore::desktopDefaults(const AppCatalog& catalog) {
    return [catalog] {
        const DesktopFavorites favorites(catalog);
        std::vector<DesktopEntry> entries = favorites.favorites(6);
        if (entries.empty())
            entries = favorites.defaultHandlers();
        std::vector<PinnedApp> pins;
        for (const DesktopEntry& entry : entries)
            pins.push_back({entry.id, entry.name, entry.path});
        return pins;
    };
}

AppsConfiguration AppsStore::load() {
    const JsonFile::ReadResult read = JsonFile::read(filePath_);
    if (read.status == JsonFile::ReadStatus::missing)
        return defaultConfiguration();
    QString error = read.error;
    std::optional<AppsConfiguration> decoded;
    if (read.status == JsonFile::ReadStatus::ok)
        decoded = AppsConfiguration::fromJson(read.object, &error);
    if (!decoded) {
        qCCritical(lcPersistence).noquote()
            << (read.status == JsonFile::ReadStatus::unreadable
                    ? QStringLiteral("apps.json cannot be read: %1")
                    : QStringLiteral("Failed to decode apps.json: %1"))
                   .arg(error);
        moveAsideBeforeSave_ = true;
        return defaultConfiguration();
    }
    if (decoded->version > AppsConfiguration::currentVersion) {
        qCCritical(lcPersistence).noquote()
            << QStringLiteral("apps.json version %1 is newer than supported; using defaults")
                   .arg(decoded->version);
        moveAsideBeforeSave_ = true;
        return defaultConfiguration();
    }
    return *decoded;
}

void AppsStore::save(const AppsConfiguration& configuration) {
    if (filePath_.isEmpty()) {
        qCCritical(lcPersistence) << "Failed to save apps.json: there is no data folder";
        return;
    }
    QString error;
    if (moveAsideBeforeSave_ && OwnedFile::exists(filePath_)) {
        const QString aside = OwnedFile::moveAside(filePath_, &error);
        if (aside.isEmpty()) {
            // Saving now would destroy the pins the user may still want.
            qCCritical(lcPersistence).noquote()
                << QStringLiteral("Failed to save apps.json: the earlier file could not be moved "
                                  "aside: %1")
                       .arg(error);
            return;
        }
        qCWarning(lcPersistence).noquote() << "Moved the earlier apps.json aside to" << aside;
    }
    moveAsideBeforeSave_ = false;
    if (!JsonFile::write(filePath_, configuration.toJson(), &error))
        qCCritical(lcPersistence).noquote()
            << QStringLiteral("Failed to save apps.json: %1").arg(error);
}

AppsConfiguration AppsStore::defaultConfiguration() const {
    return AppsConfiguration{AppsConfiguration::currentVersion,
                             defaults_ ? defaults_() : std::vector<PinnedApp>{}};
}

} // namespace vellaro
