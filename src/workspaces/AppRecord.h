#pragma once

#include "workspaces/WindowRecord.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vellaro {

// One program of a saved workspace: its identifier, where it was started
// from at capture time, and its windows.
struct AppRecord {
    QString bundleID;
    std::optional<QString> appPath;
    std::vector<WindowRecord> windows;
    // What followed the executable on its command line, when `appPath` is an
    // executable (no desktop entry) that was started with arguments.
    std::optional<QStringList> arguments = std::nullopt;

    friend bool operator==(const AppRecord&, const AppRecord&) = default;
};

} // namespace vellaro
