#pragma once

#include "app/SettingsConsole.h"
#include "settings/model/ContextPanelServices.h"

#include <functional>

namespace vellaro {

class SettingsWindowController;

// The shell's way to the settings console window ("Settings…",
// "--open-settings"); the window is built at its first showing.
class ConsoleWindowService final : public SettingsConsole {
public:
    using Controller = std::function<SettingsWindowController&()>;

    // The program's one console unless told otherwise.
    explicit ConsoleWindowService(Controller controller = {});

    // The context panel's services: the program's own unless told otherwise.
    void setContextPanelServices(std::function<ContextPanelServices()> services);
    static ContextPanelServices sharedContextPanelServices();

    bool isAvailable() const override { return true; }
    void show() override;

private:
    Controller controller_;
    std::function<ContextPanelServices()> contextPanel_ = &sharedContextPanelServices;
};

} // namespace vellaro
