#pragma once

#include <QLoggingCategory>

// The setup assistant and the haptics setup ("vellaro.onboarding").
Q_DECLARE_LOGGING_CATEGORY(lcOnboarding)
