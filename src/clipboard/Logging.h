#pragma once

#include <QLoggingCategory>

namespace vellaro {

// Capture, items and paste.
Q_DECLARE_LOGGING_CATEGORY(lcClipboard)
// The sealed history file and its key.
Q_DECLARE_LOGGING_CATEGORY(lcClipboardStore)

} // namespace vellaro
