#include "app/HapticsNudgeAdapter.h"

#include "onboarding/HapticsNudge.h"

namespace vellaro {

void HapticsNudgeAdapter::showIfNeeded() {
    nudge_.showIfNeeded();
}

} // namespace vellaro
