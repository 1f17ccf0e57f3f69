#pragma once

#include "onboarding/OnboardingStep.h"

#include <QString>

namespace vellaro {

class Defaults;

// The flags that carry the assistant's progress across launches. They are
// only ever set true (or the deferral removed on a restart), never false.
struct OnboardingProgress {
    static inline const QString begunKey = QStringLiteral("vellaroOnboardingBegun");
    static inline const QString grantDeferredKey = QStringLiteral("vellaroOnboardingGrantDeferred");
    static inline const QString rehearsedKey = QStringLiteral("vellaroHotkeyRehearsed");
    static inline const QString completedKey = QStringLiteral("vellaroOnboardingCompleted");

    bool begun = false;
    bool grantDeferred = false;
    bool rehearsed = false;

    static OnboardingProgress read(const Defaults& defaults);

    // Where a window opened without restart begins.
    OnboardingStep resumeStep(bool trusted) const;
};

} // namespace vellaro
