#include "app/Logging.h"

namespace vellaro {
Q_LOGGING_CATEGORY(appLog, "vellaro.app")
Q_LOGGING_CATEGORY(hotKeyLog, "vellaro.hotkey")
Q_LOGGING_CATEGORY(mouseTriggerLog, "vellaro.mousetrigger")
Q_LOGGING_CATEGORY(permissionLog, "vellaro.permissions")
} // namespace vellaro
