#include "app/OnboardingSetupAssistant.h"

#include "app/AccessibilityExplainerView.h"
#include "app/AccessibilityPermission.h"
#include "app/HotKeyCenter.h"
#include "app/MouseTriggerCenter.h"
#include "app/SettingsConsole.h"
#include "model/SettingsStore.h"
#include "onboarding/OnboardingWindowController.h"

namespace vellaro {

bool OnboardingShellServices::isTrusted() const {
    return access_.isTrusted();
}
QString OnboardingShellServices::requestAccess() {
    return access_.request();
}
QString OnboardingShellServices::openAccessSettings() {
    return access_.openSystemSettings();
}
void OnboardingShellServices::revealApp() {
    access_.revealAppInFinder();
}

bool OnboardingShellServices::storedHotKeyIsRegistered() const {
    const VellaroSettings& settings = settings_.settings();
    return hotKeys_.isRegistered(settings.hotKeyCode, settings.hotKeyModifiers);
}

QString OnboardingShellServices::mouseButtonName(long long button) const {
    return MouseTriggerCenter::buttonName(button);
}

void OnboardingShellServices::openConsole() {
    console_.show();
}

void OnboardingSetupAssistant::show(bool restart) {
    controller_.show(restart);
}
bool OnboardingSetupAssistant::holdsBackDial() const {
    return controller_.holdsBackDial();
}
void OnboardingSetupAssistant::bringForward() {
    controller_.bringForward();
}

} // namespace vellaro
