#pragma once

#include "workspaces/WindowWalk.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace vellaro {

class AppCatalog;
class AppLauncher;
class RunningApps;
class Scheduler;
class WindowAccess;

// What a restore works with. All of it outlives the restore engine.
struct RestoreServices {
    // Shows the report of a finished restore: name, restored, total.
    using Report = std::function<void(const QString&, std::int64_t, std::int64_t)>;

    const WindowAccess& access;
    WindowWalk walk;
    const AppCatalog& catalog;
    AppLauncher& launcher;
    const RunningApps& running;
    Scheduler& scheduler;
    Report report;
};

} // namespace vellaro
