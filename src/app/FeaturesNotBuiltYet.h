#pragma once

#include "app/HapticsNudgeService.h"
#include "app/SetupAssistant.h"
#include "app/UpdateService.h"

namespace vellaro {

// Stand-ins for the windows and tools that are not part of this build yet.
// Each says it is unavailable (the status menu shows its entry disabled) and
// logs plainly when asked to act anyway; none pretends to work.
class FeaturesNotBuiltYet {
public:
    static SetupAssistant& setupAssistant();
    static UpdateService& updates();
    static HapticsNudgeService& hapticsNudge();
};

} // namespace vellaro
