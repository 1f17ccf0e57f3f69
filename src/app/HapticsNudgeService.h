#pragma once

namespace vellaro {

// The one-time suggestion to set up mouse haptics, checked once at launch.
class HapticsNudgeService {
public:
    virtual ~HapticsNudgeService() = default;
    virtual void showIfNeeded() = 0;
};

} // namespace vellaro
