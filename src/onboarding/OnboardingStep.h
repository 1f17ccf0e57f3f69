#pragma once

namespace vellaro {

// The assistant's pages, in the order they are walked; compared by that order.
enum class OnboardingStep { welcome = 0, grant = 1, hotkey = 2, ready = 3 };

inline constexpr int onboardingStepCount = 4;

} // namespace vellaro
