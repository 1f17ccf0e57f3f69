#pragma once

#include "platform/apps/DesktopEntry.h"

#include <QHash>
#include <QString>
#include <functional>
#include <vector>

namespace vellaro {

// The one answer to "which application is this": a desktop file ID without
// ".desktop". Everything in the program that names an application (pins,
// running apps, workspaces, clipboard sources) gets its ID here.
class AppIdentity {
public:
    // What a window says about its application.
    struct WindowClues {
        QString gtkApplicationId;    // _GTK_APPLICATION_ID
        QString kdeDesktopFile;      // _KDE_NET_WM_DESKTOP_FILE
        QString launchedDesktopFile; // GIO_LAUNCHED_DESKTOP_FILE of its process
        QString wmInstance;          // WM_CLASS, first part
        QString wmClass;             // WM_CLASS, second part
    };

    // Turns a desktop file path or name into its ID.
    using IdForPath = std::function<QString(const QString&)>;

    // `installed` gives the IDs and StartupWMClass values to match against.
    AppIdentity(const std::vector<DesktopEntry>& installed, IdForPath idForPath);

    // The ID of a desktop file path or a bare "name.desktop".
    QString forDesktopFile(const QString& pathOrName) const;

    // The ID of the application a window belongs to: the toolkit's own
    // application ID, KDE's desktop file, the desktop file the process was
    // launched from, an entry's StartupWMClass, an entry whose ID equals
    // either WM_CLASS part ignoring case, else the WM_CLASS class. Empty
    // when the window says nothing.
    QString forWindow(const WindowClues& clues) const;

    // GIO_LAUNCHED_DESKTOP_FILE from /proc/<pid>/environ (under `procRoot`),
    // empty when unset or unreadable.
    static QString launchedDesktopFile(quint32 pid,
                                       const QString& procRoot = QStringLiteral("/proc"));

private:
    IdForPath idForPath_;
    QHash<QString, QString> byStartupWMClass_;
    QHash<QString, QString> byFoldedId_;
};

} // namespace vellaro
