#pragma once

#include "platform/apps/AppCatalog.h"
#include "platform/apps/DesktopEntry.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace vellaro {

// The applications the user keeps at hand on the desktop, for the first
// pinned apps: the GNOME dash's favourites when GNOME Shell's settings
// exist, else the KDE task manager's launchers; and, when those give none,
// the default programs for the web, mail, text, calendar and music, and the
// desktop's settings program. Only installed applications count, each once.
class DesktopFavorites {
public:
    struct Sources {
        // org.gnome.shell favorite-apps; none when the schema is not installed.
        std::function<std::optional<QStringList>()> gnomeFavorites;
        QString configHome;     // $XDG_CONFIG_HOME
        QStringList configDirs; // $XDG_CONFIG_DIRS
        QStringList desktops;   // $XDG_CURRENT_DESKTOP, split
    };

    // The real GSettings and the environment's folders.
    static Sources environmentSources();

    DesktopFavorites(const AppCatalog& catalog, Sources sources = environmentSources());

    // The dash's or task manager's applications, in their order, at most `limit`.
    std::vector<DesktopEntry> favorites(int limit) const;
    // The default programs, then the first installed settings program.
    std::vector<DesktopEntry> defaultHandlers() const;

private:
    std::optional<QStringList> kdeLaunchers() const;
    QStringList mimeappsFiles() const;
    std::optional<DesktopEntry> entryFor(const QString& idOrPath) const;

    const AppCatalog& catalog_;
    Sources sources_;
};

} // namespace vellaro
