#pragma once

#include "platform/session/SystemActions/ScreenshotKind.h"

#include <QString>
#include <functional>
#include <optional>

namespace vellaro {

// What the actions section runs when an action is chosen. Each runner returns
// at once; the program wires them to SystemActions, tests to recorders.
struct ActionRunners {
    std::function<void(ScreenshotArea, ScreenshotDestination)> screenshot;
    std::function<void()> toggleDoNotDisturb;
    std::function<void()> showDoNotDisturbSetup;
    // The desktop whose Do Not Disturb the toggle switches ("GNOME"), once known.
    std::function<std::optional<QString>()> doNotDisturbBackend;
    // Installs the callback run when that desktop becomes known or changes.
    std::function<void(std::function<void()>)> watchDoNotDisturbBackend;
    std::function<void()> toggleDarkMode;
    std::function<void()> lockScreen;
    std::function<void()> emptyTrash;
    // Runs the action once the microphone may be used (at once, or after the
    // user granted it).
    std::function<void(std::function<void()>)> withMicrophone;
};

} // namespace vellaro
