#pragma once

#include "providers/apps/AppsProvider.h"

#include <memory>

namespace vellaro {

// The apps section on this desktop: the installed applications of the XDG
// data folders, windows from the X server, programs started by their
// desktop entries, apps.json in the data folder and the add-apps picker.
std::unique_ptr<AppsProvider> makeDesktopAppsProvider();

} // namespace vellaro
