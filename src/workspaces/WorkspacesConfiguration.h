#pragma once

#include "workspaces/Workspace.h"

#include <cstdint>
#include <vector>

namespace vellaro {

// Everything workspaces.json holds: its version (kept as loaded) and the
// workspaces in the user's order.
struct WorkspacesConfiguration {
    static constexpr std::int64_t currentVersion = 1;

    std::int64_t version = currentVersion;
    std::vector<Workspace> workspaces;

    friend bool operator==(const WorkspacesConfiguration&,
                           const WorkspacesConfiguration&) = default;
};

} // namespace vellaro
