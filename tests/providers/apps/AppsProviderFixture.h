#pragma once

#include "FakeAppServices.h"
#include "providers/apps/AppsProvider.h"
#include "support/WriteTextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace vellaro::test {

// Installed entries "a".."i" in a temporary data folder, fake running apps,
// launcher and desktop, and apps.json in a temporary folder.
class AppsProviderFixture {
public:
    AppsProviderFixture() {
        for (char c = 'a'; c <= 'i'; ++c)
            install(QString(QLatin1Char(c)));
    }

    QString entryPath(const QString& id) const {
        return data.path() + QStringLiteral("/applications/") + id + QStringLiteral(".desktop");
    }
    void install(const QString& id) {
        writeTextFile(entryPath(id), "[Desktop Entry]\nType=Application\nName=" +
                                         id.toUpper().toUtf8() + "\nExec=true\n");
    }
    void uninstall(const QString& id) { QFile::remove(entryPath(id)); }

    PinnedApp pin(const QString& id) const { return {id, id.toUpper(), entryPath(id)}; }
    void pinFile(const QStringList& ids) {
        AppsConfiguration configuration;
        for (const QString& id : ids)
            configuration.pinned.push_back(pin(id));
        AppsStore(storePath(), {}).save(configuration);
    }
    QString storePath() const { return folder.path() + QStringLiteral("/apps.json"); }
    QByteArray storedText() const {
        QFile file(storePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    AppsProvider& make() {
        AppCatalog catalog(AppCatalog::Options{{data.path()}, {}, {}});
        provider = std::make_unique<AppsProvider>(
            std::make_unique<AppsStore>(storePath(), [] { return std::vector<PinnedApp>(); }),
            std::make_unique<InstalledAppsIndex>([this] { return installedApps; }),
            AppsProvider::Services{
                catalog, running, launcher, desktop,
                [](const DesktopEntry&) { return QImage(4, 4, QImage::Format_ARGB32); },
                [this] { ++pickerShown; }});
        provider->setOnChange([this] { ++changes; });
        return *provider;
    }

    QStringList pinnedIds() const {
        QStringList ids;
        for (const PinnedApp& p : provider->configuration().pinned)
            ids << p.bundleID;
        return ids;
    }
    QStringList labels() const {
        QStringList shown;
        for (const MenuItem& item : provider->items())
            shown << item.label();
        return shown;
    }

    QTemporaryDir data, folder;
    FakeRunningApps running;
    FakeLauncher launcher;
    FakeDesktop desktop;
    std::unique_ptr<AppsProvider> provider;
    // What the index's scan finds.
    std::vector<InstalledApp> installedApps;
    int changes = 0;
    int pickerShown = 0;
};

} // namespace vellaro::test
