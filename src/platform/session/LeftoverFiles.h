#pragma once

#include <QString>
#include <QStringList>

namespace vellaro {

// What interrupted writes of the files the program keeps left behind:
// their temporaries, and the lock files older versions took for
// defaults.ini. Removed at start, once the instance lock is held, so no
// other copy is writing them.
class LeftoverFiles {
public:
    LeftoverFiles() = delete;

    struct Folders {
        QString data;       // $XDG_DATA_HOME/Vellaro
        QString config;     // $XDG_CONFIG_HOME/Vellaro
        QString configHome; // $XDG_CONFIG_HOME, for the autostart entry
        static Folders ofThisUser();
    };

    // Returns the paths removed; each is logged.
    static QStringList remove(const Folders& folders = Folders::ofThisUser());
};

} // namespace vellaro
