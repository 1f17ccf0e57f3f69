#pragma once

namespace vellaro {

// Whether the desktop, or a window, looks light or dark.
enum class ColorScheme { light, dark };

} // namespace vellaro
