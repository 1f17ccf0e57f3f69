#pragma once

#include "app/SetupAssistant.h"
#include "onboarding/OnboardingShell.h"

namespace vellaro {

class AccessibilityPermission;
class HotKeyCenter;
class OnboardingWindowController;
class SettingsConsole;
class SettingsStore;

// The shell's side of the setup assistant: hands it window access, the hot
// key's registration and the console, and lets it hold the dial back.
class OnboardingShellServices final : public OnboardingShell {
public:
    OnboardingShellServices(AccessibilityPermission& access, HotKeyCenter& hotKeys,
                            SettingsStore& settings, SettingsConsole& console)
        : access_(access), hotKeys_(hotKeys), settings_(settings), console_(console) {}

    bool isTrusted() const override;
    QString requestAccess() override;
    QString openAccessSettings() override;
    void revealApp() override;
    bool storedHotKeyIsRegistered() const override;
    QString mouseButtonName(long long button) const override;
    void openConsole() override;

private:
    AccessibilityPermission& access_;
    HotKeyCenter& hotKeys_;
    SettingsStore& settings_;
    SettingsConsole& console_;
};

class OnboardingSetupAssistant final : public SetupAssistant {
public:
    explicit OnboardingSetupAssistant(OnboardingWindowController& controller)
        : controller_(controller) {}

    bool isAvailable() const override { return true; }
    void show(bool restart) override;
    bool holdsBackDial() const override;
    void bringForward() override;

private:
    OnboardingWindowController& controller_;
};

} // namespace vellaro
