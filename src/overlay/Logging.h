#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcHaptics)
// The dial view ("vellaro.radial").
Q_DECLARE_LOGGING_CATEGORY(lcRadial)
