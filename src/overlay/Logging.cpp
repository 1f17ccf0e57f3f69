#include "overlay/Logging.h"

// Haptics failures are expected whenever the plug-in is not installed, so
// they stay at debug level, off unless enabled by a logging rule.
Q_LOGGING_CATEGORY(lcHaptics, "vellaro.haptics", QtInfoMsg)
Q_LOGGING_CATEGORY(lcRadial, "vellaro.radial", QtInfoMsg)
