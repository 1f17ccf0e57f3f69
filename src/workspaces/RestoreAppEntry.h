#pragma once

#include "platform/apps/DesktopEntry.h"
#include "workspaces/AppRecord.h"

#include <optional>

namespace vellaro {

class AppCatalog;

// How a restore starts a recorded program: from its recorded path when that
// still exists (a desktop entry, or an executable run with the arguments it
// had), else from the installed entry of its identifier; none when neither
// is there.
std::optional<DesktopEntry> restoreEntryFor(const AppRecord& app, const AppCatalog& catalog);

} // namespace vellaro
