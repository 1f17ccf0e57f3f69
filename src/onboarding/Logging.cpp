#include "onboarding/Logging.h"

Q_LOGGING_CATEGORY(lcOnboarding, "vellaro.onboarding", QtInfoMsg)
