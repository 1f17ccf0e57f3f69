#pragma once

#include "app/SettingsConsole.h"

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

    bool isAvailable() const override { return true; }
    void show() override;

private:
    Controller controller_;
};

} // namespace vellaro
