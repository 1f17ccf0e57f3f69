#pragma once

#include "model/SectionProvider.h"

#include <memory>

namespace vellaro {

// The actions section's provider on the shared settings, the desktop's
// system actions, the sound server's default source and the microphone grant.
std::unique_ptr<SectionProvider> makeActionsProvider();

} // namespace vellaro
