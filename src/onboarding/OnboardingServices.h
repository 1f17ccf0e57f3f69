#pragma once

#include "model/Pal.h"

namespace vellaro {

class Defaults;
class LoginItem;
class Notifications;
class OnboardingShell;
class Scheduler;
class SettingsStore;
class UpdateControls;
class WindowAccessTrust;

// The services the assistant's pages use, all owned elsewhere.
struct OnboardingServices {
    SettingsStore& settings;
    Defaults& defaults;
    Notifications& hub;
    Scheduler& scheduler;
    WindowAccessTrust& trust;
    OnboardingShell& shell;
    UpdateControls* updates = nullptr; // none: the switch is left out
    LoginItem* login = nullptr;        // none: the switch is left out
};

} // namespace vellaro
