#include "providers/apps/DesktopAppsProvider.h"

#include "platform/apps/ProcessAppLauncher.h"
#include "platform/apps/X11RunningApps.h"
#include "platform/session/Desktop.h"
#include "providers/apps/AddAppPickerController.h"
#include "providers/apps/AppIcons.h"

namespace vellaro {

std::unique_ptr<AppsProvider> makeDesktopAppsProvider() {
    static ProcessAppLauncher launcher;
    const AppCatalog catalog;
    return std::make_unique<AppsProvider>(
        std::make_unique<AppsStore>(AppsStore::defaultFilePath(),
                                    AppsStore::desktopDefaults(catalog)),
        std::make_unique<InstalledAppsIndex>(
            [catalog] { return InstalledAppsIndex::scanCatalog(catalog); }),
        AppsProvider::Services{
            catalog, X11RunningApps::shared(), launcher, Desktop::shared(),
            [](const DesktopEntry& entry) { return AppIcons::shared().icon(entry); },
            [] { AddAppPickerController::shared().show(); }});
}

} // namespace vellaro
