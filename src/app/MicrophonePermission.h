#pragma once

#include <QMetaObject>
#include <QPointer>
#include <functional>

namespace vellaro {

class MicrophoneAuthorization;
class MicrophoneExplainerView;
class SettingsPanes;

// Stands between an action that needs the microphone and the authorisation:
// the action waits here while the explainer is up and runs once as soon as
// access is granted. "Not Now" or closing the window drops it.
class MicrophonePermission {
public:
    MicrophonePermission(MicrophoneAuthorization& authorization, SettingsPanes& panes);
    ~MicrophonePermission();

    static MicrophonePermission& shared();

    // Runs `action` now when authorised; otherwise parks it (replacing an
    // earlier one) and presents the explainer.
    void perform(std::function<void()> action);

    void presentExplainer();
    void handleContinue(int status);
    void closeExplainer();
    void openSystemSettings();

    // Called when the program becomes active again.
    void applicationDidBecomeActive();

    MicrophoneExplainerView* window() const { return window_; }
    bool hasPendingAction() const { return static_cast<bool>(pendingAction_); }

private:
    void grantAndRun();
    void clearObservers();

    MicrophoneAuthorization& authorization_;
    SettingsPanes& panes_;
    QPointer<MicrophoneExplainerView> window_;
    std::function<void()> pendingAction_;
    QMetaObject::Connection activationToken_;
    QMetaObject::Connection closeToken_;
};

} // namespace vellaro
