#pragma once

#include <functional>

namespace vellaro {

class LoginItem;
class MenuDataSource;
class MouseHapticsClient;
class Notifications;
class Scheduler;
class SettingsStore;
class UpdateControls;
class WindowAccessTrust;

// What the context panel works with besides its host, assembled by the
// shell. Everything must outlive the panel.
struct ContextPanelServices {
    SettingsStore& store;
    MenuDataSource* dataSource = nullptr;
    WindowAccessTrust& windowAccess;
    LoginItem& loginItem;
    MouseHapticsClient& haptics;
    Notifications& notifications;
    Scheduler& scheduler;
    UpdateControls& updates;
    // Empty until the setup assistants exist; their buttons are then disabled.
    std::function<void()> showAccessibilityExplainer;
    std::function<void()> showHapticsSetup;
    // Whether the haptics plug-in's mouse or folder is there: the row's first state.
    std::function<bool()> hapticsHardwarePresent;
};

} // namespace vellaro
