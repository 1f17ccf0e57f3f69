#include "app/ConsoleWindowService.h"

#include "settings/SettingsWindowController.h"

namespace vellaro {

ConsoleWindowService::ConsoleWindowService(Controller controller)
    : controller_(controller ? std::move(controller) : &SettingsWindowController::shared) {}

void ConsoleWindowService::show() {
    controller_().show();
}

} // namespace vellaro
