#include "platform/session/SystemActions/SystemActions.h"

#include "platform/session/SystemActions/DarkModeToggle.h"

namespace vellaro {

SystemActions::SystemActions(Environment environment)
    : launcher_(environment.toolPath),
      screenshots_(launcher_, {environment.currentDesktop, environment.screenshotFolder}),
      doNotDisturb_(environment.bus, launcher_),
      locker_(environment.bus, environment.systemBus, launcher_, *environment.scheduler),
      trash_(environment.trash), keepAwake_(environment.bus, environment.systemBus) {
    doNotDisturb_.identifyServer();
}

void SystemActions::toggleDarkMode() {
    DarkModeToggle::toggle();
}

} // namespace vellaro
