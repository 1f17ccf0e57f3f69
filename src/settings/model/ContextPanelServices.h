#pragma once

#include "model/InstalledApp.h"

#include <QSet>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

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
    std::function<void()> showAccessibilityExplainer = {};
    std::function<void()> showHapticsSetup = {};
    // Whether the haptics plug-in's mouse or folder is there: the row's first state.
    std::function<bool()> hapticsHardwarePresent = {};
    // Offers the installed apps over `parent`, those in `alreadyTaken` marked
    // as present, and hands the picked ones to `onAdd`. Empty while the
    // build has no picker: "Add Apps…" is then disabled.
    using AppsReceiver = std::function<void(const std::vector<InstalledApp>&)>;
    std::function<void(QWidget* parent, const QSet<QString>& alreadyTaken, AppsReceiver onAdd)>
        pickApps = {};
};

} // namespace vellaro
