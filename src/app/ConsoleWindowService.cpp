#include "app/ConsoleWindowService.h"

#include "app/AccessibilityExplainerView.h"
#include "app/AccessibilityPermission.h"
#include "app/ConsoleTriggersService.h"
#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/input/XcbButtonMonitor.h"
#include "platform/input/XcbRecorderKeyboard.h"
#include "platform/session/LoginItem.h"
#include "platform/session/Notifications.h"
#include "platform/time/QtScheduler.h"
#include "platform/updater/InstallLocation.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "providers/apps/AppPickerSheet.h"
#include "providers/apps/AppsProvider.h"
#include "settings/console/SettingsWindowController.h"
#include "updates/UpdaterCenter.h"

namespace vellaro {

namespace {

// The program's one console, with the shared triggers in its top bar.
SettingsWindowController& sharedConsole() {
    static auto* controller = new SettingsWindowController([] {
        SettingsWindowController::Services services = SettingsWindowController::Services::shared();
        services.topBar = [] {
            static XcbRecorderKeyboard keyboard;
            static XcbButtonMonitor buttons;
            return TopBar::Services{SettingsStore::shared(), Notifications::shared(),
                                    ConsoleTriggersService::shared(), keyboard, buttons};
        };
        return services;
    }());
    return *controller;
}

} // namespace

ConsoleWindowService::ConsoleWindowService(Controller controller)
    : controller_(controller ? std::move(controller) : &sharedConsole) {}

void ConsoleWindowService::setContextPanelServices(std::function<ContextPanelServices()> services) {
    contextPanel_ = std::move(services);
}

ContextPanelServices ConsoleWindowService::sharedContextPanelServices() {
    // Starts the install's stable launcher, which survives updates.
    static LoginItem loginItem(InstallLocation::ofThisProcess().launcherPath);
    return {SettingsStore::shared(),
            &MenuDataSource::shared(),
            X11WindowAccessTrust::shared(),
            loginItem,
            MouseHapticsClient::shared(),
            Notifications::shared(),
            QtScheduler::shared(),
            UpdaterCenter::shared(),
            [] { AccessibilityPermission::shared().showExplainer(); },
            {},
            {},
            [](QWidget* parent, const QSet<QString>& alreadyTaken,
               ContextPanelServices::AppsReceiver onAdd) {
                if (AppsProvider* apps = appsProvider(MenuDataSource::shared()))
                    showAppPickerSheet(*apps, parent, alreadyTaken, std::move(onAdd));
            }};
}

void ConsoleWindowService::show() {
    SettingsWindowController& controller = controller_();
    if (contextPanel_ && !controller.window())
        controller.setContextPanelServices(contextPanel_);
    controller.show();
}

} // namespace vellaro
