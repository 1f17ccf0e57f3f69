#pragma once

#include "providers/actions/ActionRunners.h"

namespace vellaro {

class SystemActions;

// The actions section's runners on the desktop's system actions, with the
// alerts the user sees when a screenshot, Do Not Disturb or Lock Screen
// cannot work.
// `withMicrophone` runs an action once the microphone may be used.
ActionRunners systemActionRunners(SystemActions& actions,
                                  std::function<void(std::function<void()>)> withMicrophone);

} // namespace vellaro
