#pragma once

#include <QLoggingCategory>

namespace vellaro {

// Update checks, downloads, installs.
Q_DECLARE_LOGGING_CATEGORY(lcUpdates)

} // namespace vellaro
