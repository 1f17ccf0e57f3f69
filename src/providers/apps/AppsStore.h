#pragma once

#include "providers/apps/AppsConfiguration.h"

#include <QString>
#include <functional>
#include <vector>

namespace vellaro {

class AppCatalog;

// apps.json in the data folder: read once, written whole after every change.
// A file that cannot be used (unreadable, undecodable, a newer version)
// yields the defaults and is moved aside before the first save, never
// overwritten. Main thread.
class AppsStore {
public:
    using Defaults = std::function<std::vector<PinnedApp>()>;

    // Creates the file's folder when missing; `defaults` gives the first
    // pins while no usable file exists.
    AppsStore(QString filePath, Defaults defaults);

    // apps.json in the program's data folder; empty without a home.
    static QString defaultFilePath();
    // The desktop's favourites (six at most), else its default programs.
    static Defaults desktopDefaults(const AppCatalog& catalog);

    // The file's configuration or the defaults. Writes nothing.
    AppsConfiguration load();
    // Writes the whole file; a failure is logged.
    void save(const AppsConfiguration& configuration);
    AppsConfiguration defaultConfiguration() const;

    const QString& filePath() const { return filePath_; }

private:
    QString filePath_;
    Defaults defaults_;
    bool moveAsideBeforeSave_ = false;
};

} // namespace vellaro
