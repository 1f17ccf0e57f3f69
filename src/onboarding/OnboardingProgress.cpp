#include "onboarding/OnboardingProgress.h"

#include "platform/session/Defaults.h"

namespace vellaro {

OnboardingProgress OnboardingProgress::read(const Defaults& defaults) {
    return {defaults.boolValue(begunKey), defaults.boolValue(grantDeferredKey),
            defaults.boolValue(rehearsedKey)};
}

OnboardingStep OnboardingProgress::resumeStep(bool trusted) const {
    if (!begun)
        return OnboardingStep::welcome;
    if (trusted || grantDeferred)
        return rehearsed ? OnboardingStep::ready : OnboardingStep::hotkey;
    return OnboardingStep::grant;
}

} // namespace vellaro
