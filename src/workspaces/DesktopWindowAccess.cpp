#include "workspaces/DesktopWindowAccess.h"

#include "platform/apps/AppCatalog.h"
#include "platform/apps/AppIdentity.h"
#include "platform/windows/X11WindowSystem.h"
#include "workspaces/WindowAccess.h"

#include <QCoreApplication>

namespace vellaro {

namespace {

const AppCatalog& catalog() {
    static const AppCatalog shared;
    return shared;
}

// Built once, from whichever thread asks first; read-only afterwards.
const AppIdentity& identity() {
    static const AppIdentity shared(catalog().scan(),
                                    [](const QString& path) { return catalog().idForPath(path); });
    return shared;
}

QString identityOf(const ClientWindow& window) {
    AppIdentity::WindowClues clues{
        window.gtkApplicationId, window.kdeDesktopFile, {}, window.wmInstance, window.wmClass};
    // The process's environment is only read when the window is silent.
    if (clues.gtkApplicationId.isEmpty() && clues.kdeDesktopFile.isEmpty() && window.pid != 0)
        clues.launchedDesktopFile = AppIdentity::launchedDesktopFile(window.pid);
    return identity().forWindow(clues);
}

QString entryPath(const QString& bundleID) {
    const std::optional<DesktopEntry> entry = catalog().find(bundleID);
    return entry ? entry->path : QString();
}

std::uint32_t ownPid() {
    return std::uint32_t(QCoreApplication::applicationPid());
}

} // namespace

const WindowAccess& desktopWindowAccess() {
    static const WindowAccess access = desktopWindowAccessOn(X11WindowSystem::shared());
    return access;
}

const WindowAccess& desktopWalkAccess() {
    static X11WindowSystem system(X11Connection::open());
    static const WindowAccess access = desktopWindowAccessOn(system);
    return access;
}

WindowAccess desktopWindowAccessOn(WindowSystem& windows) {
    return WindowAccess(windows, &identityOf, &entryPath, ownPid());
}

} // namespace vellaro
