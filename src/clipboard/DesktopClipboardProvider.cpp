#include "clipboard/DesktopClipboardProvider.h"

#include "clipboard/ClipboardStore.h"
#include "clipboard/RunningAppsFrontApplication.h"
#include "model/SettingsStore.h"
#include "platform/apps/AppCatalog.h"
#include "platform/apps/X11RunningApps.h"
#include "platform/clipboard/X11Pasteboard.h"
#include "platform/input/XTestKeySender.h"
#include "platform/time/QtScheduler.h"
#include "platform/windows/X11WindowAccessTrust.h"

namespace vellaro {

std::unique_ptr<ClipboardProvider> makeDesktopClipboardProvider(std::function<void()> showHistory) {
    // Kept for the whole process, like the provider that uses them.
    static auto* pasteboard = new X11Pasteboard;
    static auto* keySender = new XTestKeySender;
    static auto* frontApplication = new RunningAppsFrontApplication(
        X11RunningApps::shared(), [catalog = AppCatalog()](const QString& id) {
            const auto entry = catalog.find(id);
            return entry ? entry->name : QString();
        });
    return std::make_unique<ClipboardProvider>(
        ClipboardProvider::Services{*pasteboard, *frontApplication, SettingsStore::shared(),
                                    QtScheduler::shared(), *keySender,
                                    X11WindowAccessTrust::shared(), std::move(showHistory)},
        ClipboardStore::makeDefault(QtScheduler::shared()));
}

} // namespace vellaro
