#pragma once

#include <QLoggingCategory>

namespace vellaro {

// The actions section and its system action runners.
Q_DECLARE_LOGGING_CATEGORY(lcActions)

} // namespace vellaro
