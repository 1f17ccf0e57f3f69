#pragma once

#include "app/HapticsNudgeService.h"

namespace vellaro {

class HapticsNudge;

// The shell's launch check, answered by the onboarding folder's nudge.
class HapticsNudgeAdapter final : public HapticsNudgeService {
public:
    explicit HapticsNudgeAdapter(HapticsNudge& nudge) : nudge_(nudge) {}
    void showIfNeeded() override;

private:
    HapticsNudge& nudge_;
};

} // namespace vellaro
