#pragma once

#include "overlay/DialHaptics.h"

namespace vellaro {

class MouseHapticsClient;

// The dial's haptics on the plug-in client, which throttles the ticks.
class MouseHapticsFeedback final : public DialHaptics {
public:
    explicit MouseHapticsFeedback(MouseHapticsClient& client) : client_(client) {}
    void tickIfDue() override;

private:
    MouseHapticsClient& client_;
};

} // namespace vellaro
