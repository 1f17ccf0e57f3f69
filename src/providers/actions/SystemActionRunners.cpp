#include "providers/actions/SystemActionRunners.h"

#include "platform/session/SystemActions/SystemActions.h"
#include "providers/actions/ActionAlerts.h"

namespace vellaro {

ActionRunners systemActionRunners(SystemActions& actions,
                                  std::function<void(std::function<void()>)> withMicrophone) {
    DoNotDisturbRunner& doNotDisturb = actions.doNotDisturb();
    auto showSetup = [&doNotDisturb] {
        ActionAlerts::showDoNotDisturbSetup(
            DoNotDisturbRunner::supportedServersText(),
            [&doNotDisturb] { doNotDisturb.openNotificationSettings(); });
    };
    doNotDisturb.setOnNeedsSetup(showSetup);
    actions.locker().setOnFailure(&ActionAlerts::showFailure);
    actions.screenshots().setOnFailure(&ActionAlerts::showFailure);

    ActionRunners runners;
    runners.screenshot = [&actions](ScreenshotArea area, ScreenshotDestination destination) {
        actions.screenshots().capture(area, destination);
    };
    runners.toggleDoNotDisturb = [&doNotDisturb] { doNotDisturb.toggle(); };
    runners.showDoNotDisturbSetup = showSetup;
    runners.doNotDisturbBackend = [&doNotDisturb] { return doNotDisturb.backendName(); };
    runners.watchDoNotDisturbBackend = [&doNotDisturb](std::function<void()> changed) {
        doNotDisturb.setOnBackendChanged(std::move(changed));
    };
    runners.toggleDarkMode = [&actions] { actions.toggleDarkMode(); };
    runners.lockScreen = [&actions] { actions.locker().lock(); };
    runners.emptyTrash = [&actions] { actions.trash().empty(); };
    runners.withMicrophone = std::move(withMicrophone);
    return runners;
}

} // namespace vellaro
