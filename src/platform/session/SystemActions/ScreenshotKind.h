#pragma once

namespace vellaro {

// What a screenshot captures.
enum class ScreenshotArea { area, window };

// Where a screenshot goes.
enum class ScreenshotDestination { file, clipboard };

} // namespace vellaro
