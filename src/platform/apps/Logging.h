#pragma once

#include <QLoggingCategory>

namespace vellaro {

// Installed, running and launched applications.
Q_DECLARE_LOGGING_CATEGORY(lcApps)

} // namespace vellaro
