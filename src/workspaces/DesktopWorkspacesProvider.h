#pragma once

#include "workspaces/WorkspacesProvider.h"

#include <functional>
#include <memory>

namespace vellaro {

// The dial's workspaces section on the desktop: the data folder's
// workspaces.json, the X window access, the shared restore engine, report
// panel and name prompt. `showExplainer` explains the missing window access.
std::unique_ptr<WorkspacesProvider>
makeDesktopWorkspacesProvider(std::function<void()> showExplainer);

} // namespace vellaro
