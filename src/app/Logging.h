#pragma once

#include <QLoggingCategory>

namespace vellaro {
Q_DECLARE_LOGGING_CATEGORY(appLog)
Q_DECLARE_LOGGING_CATEGORY(hotKeyLog)
Q_DECLARE_LOGGING_CATEGORY(mouseTriggerLog)
Q_DECLARE_LOGGING_CATEGORY(permissionLog)
} // namespace vellaro
