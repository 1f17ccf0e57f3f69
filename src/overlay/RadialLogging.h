#pragma once

#include <QLoggingCategory>

namespace vellaro {

// The dial view's log ("vellaro.radial").
Q_DECLARE_LOGGING_CATEGORY(lcRadial)

} // namespace vellaro
