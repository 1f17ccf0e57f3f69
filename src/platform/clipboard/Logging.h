#pragma once

#include <QLoggingCategory>

namespace vellaro {

Q_DECLARE_LOGGING_CATEGORY(lcPasteboard)

} // namespace vellaro
