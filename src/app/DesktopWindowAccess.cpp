#include "app/DesktopWindowAccess.h"

#include "platform/apps/AppCatalog.h"
#include "platform/apps/AppIdentity.h"
#include "platform/windows/X11WindowSystem.h"

#include <QCoreApplication>
#include <memory>

namespace vellaro {

namespace {

const AppCatalog& catalog() {
    static const AppCatalog installed;
    return installed;
}

// Read on first use: only walks need it, and the section's snaps never walk.
const AppIdentity& identity() {
    static const AppIdentity known(catalog().scan(),
                                   [](const QString& path) { return catalog().idForPath(path); });
    return known;
}

QString identityOf(const ClientWindow& window) {
    AppIdentity::WindowClues clues{
        window.gtkApplicationId, window.kdeDesktopFile, {}, window.wmInstance, window.wmClass};
    // The process's environment is only read when the window is silent.
    if (clues.gtkApplicationId.isEmpty() && clues.kdeDesktopFile.isEmpty() && window.pid != 0)
        clues.launchedDesktopFile = AppIdentity::launchedDesktopFile(window.pid);
    return identity().forWindow(clues);
}

QString desktopEntryPath(const QString& id) {
    const auto entry = catalog().find(id);
    return entry ? entry->path : QString();
}

} // namespace

WindowAccess desktopWindowAccess(WindowSystem& windows) {
    return WindowAccess(windows, &identityOf, &desktopEntryPath,
                        static_cast<std::uint32_t>(QCoreApplication::applicationPid()));
}

WindowAccess& desktopWindowAccess() {
    static WindowAccess access = desktopWindowAccess(X11WindowSystem::shared());
    return access;
}

} // namespace vellaro
