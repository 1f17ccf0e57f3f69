#pragma once

#include "workspaces/WindowRecord.h"

#include <QString>
#include <optional>
#include <vector>

namespace vellaro {

// One program of a saved workspace: its identifier, where it was started
// from at capture time, and its windows.
struct AppRecord {
    QString bundleID;
    std::optional<QString> appPath;
    std::vector<WindowRecord> windows;

    friend bool operator==(const AppRecord&, const AppRecord&) = default;
};

} // namespace vellaro
