#include "app/ConsoleWindowService.h"

#include "app/ConsoleTriggersService.h"
#include "model/SettingsStore.h"
#include "platform/input/XcbButtonMonitor.h"
#include "platform/input/XcbRecorderKeyboard.h"
#include "platform/session/Notifications.h"
#include "settings/SettingsWindowController.h"

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

void ConsoleWindowService::show() {
    controller_().show();
}

} // namespace vellaro
