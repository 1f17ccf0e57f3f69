#pragma once

#include "app/LaunchRequest.h"
#include "overlay/OverlayController.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

namespace vellaro {

class Appearance;
class HapticsNudgeService;
class HotKeyCenter;
class MenuDataSource;
class MouseTriggerCenter;
class Notifications;
class Scheduler;
class SettingsConsole;
class SettingsStore;
class SetupAssistant;
class StatusItem;
class UpdateService;

// Wires the running program together once the event loop runs: the status
// item, the shared services in their order, the two triggers to the overlay,
// the settings observer, and the windows asked for at launch.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    struct Services {
        SettingsStore& settings;
        std::function<MenuDataSource&()> dataSource; // made in its turn
        Appearance& appearance;
        Notifications& notifications;
        HotKeyCenter& hotKeys;
        MouseTriggerCenter& mouseTrigger;
        Scheduler& scheduler;
        SettingsConsole& settingsConsole;
        SetupAssistant& setupAssistant;
        UpdateService& updates;
        HapticsNudgeService& hapticsNudge;
        std::function<std::unique_ptr<OverlayDialView>(double scale, int side)> makeView;
        std::function<bool()> onboardingCompleted;
        // Shows a text in the desktop's notification bubbles.
        std::function<void(const QString& text)> notifyDesktop = {};
    };

    AppDelegate(Services services, LaunchRequest request, QObject* parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    // Does what a launch asked for (LaunchRequest::Action bits).
    void perform(std::uint32_t actions);
    void openAtPointer();
    QString hintText() const;

    OverlayController* overlay() const { return overlay_.get(); }
    StatusItem* statusItem() const { return statusItem_.get(); }

    // The overlay's view of the settings.
    static OverlayController::DialSettings dialSettings(const SettingsStore& store);

private:
    Services s_;
    LaunchRequest request_;
    std::unique_ptr<StatusItem> statusItem_;
    std::unique_ptr<OverlayController> overlay_;
    std::uint64_t settingsObserver_ = 0;
};

} // namespace vellaro
