#pragma once

#include "FixedAppearance.h"

#include "model/SettingsStore.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace vellaro::windowshot {

// A picture's own settings, defaults and hub in a temporary folder, with the
// dial's theme and the desktop light or dark.
struct ShotHome {
    explicit ShotHome(bool dark) : appearance(dark) {
        settings.setTheme(dark ? ThemeChoice::eclipse : ThemeChoice::pearl);
    }

    QTemporaryDir folder;
    Notifications hub;
    SettingsStore settings{folder.path(), hub};
    Defaults defaults{folder.path() + QStringLiteral("/defaults.ini")};
    dialshot::FixedAppearance appearance;
};

// Runs the event loop for `ms`, so that fades and answers finish.
inline void settle(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace vellaro::windowshot
