#pragma once

#include <QString>

namespace vellaro {

// What the assistant needs from the application shell, wired by the shell.
class OnboardingShell {
public:
    virtual ~OnboardingShell() = default;

    // Window access (the Accessibility counterpart). Asking for it and
    // opening its settings return why nothing could be shown, else empty.
    virtual bool isTrusted() const = 0;
    virtual QString requestAccess() = 0;
    virtual QString openAccessSettings() = 0;
    virtual void revealApp() = 0;

    // Whether the stored hot key is the one actually registered.
    virtual bool storedHotKeyIsRegistered() const = 0;
    virtual QString mouseButtonName(long long button) const = 0;
    virtual void openConsole() = 0;
};

} // namespace vellaro
