#pragma once

namespace vellaro {

// The mouse-haptics row of the dial-wide panel: no row, a row offering the
// setup, or a row saying the plug-in answers.
enum class MXHapticsState { hidden, needsSetup, active };

} // namespace vellaro
