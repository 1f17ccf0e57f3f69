#pragma once

#include "platform/apps/DesktopEntry.h"

#include <QString>

namespace vellaro {

// Starts an application from its desktop entry. Main thread; nothing waits
// for the program.
class AppLauncher {
public:
    virtual ~AppLauncher() = default;

    // Starts the program; false with `error` set when it could not be started.
    virtual bool launch(const DesktopEntry& entry, QString* error) = 0;
};

} // namespace vellaro
