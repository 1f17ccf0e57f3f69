#pragma once

#include "platform/apps/DesktopEntry.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vellaro {

// The installed applications: the desktop entries under "applications" in
// the XDG data folders, the user's first. The first file of a desktop ID
// wins, and a winning Hidden=true masks the ID. Reading only: safe to use
// from any thread.
class AppCatalog {
public:
    struct Options {
        QStringList dataDirs; // searched in this order, the user's first
        QStringList desktops; // XDG_CURRENT_DESKTOP, split at ':'
        QString locale;       // for the localised names
    };

    // $XDG_DATA_HOME, then $XDG_DATA_DIRS (with their defaults), the current
    // desktop and the message locale of this process.
    static Options environmentOptions();

    explicit AppCatalog(Options options = environmentOptions());

    const Options& options() const { return options_; }

    // Every shown application, in no particular order.
    std::vector<DesktopEntry> scan() const;

    // The entry of one desktop ID when it is installed and shown.
    std::optional<DesktopEntry> find(const QString& id) const;
    // The entry in the file at `path`, shown or not, with the ID the file
    // has in the data folders (its base name elsewhere).
    std::optional<DesktopEntry> readFile(const QString& path) const;

    // The desktop ID of a desktop file path: relative to an "applications"
    // folder of the data folders with '/' as '-', else the base name; without
    // ".desktop". Also takes a bare file name.
    QString idForPath(const QString& path) const;

    // Whether the entry is one the user launches here: an application, not
    // hidden or marked NoDisplay, meant for the current desktop, and its
    // TryExec program present.
    bool isShown(const DesktopEntry& entry) const;

private:
    QStringList applicationFolders() const;

    Options options_;
};

} // namespace vellaro
