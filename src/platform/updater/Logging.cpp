#include "platform/updater/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcUpdates, "vellaro.updates", QtInfoMsg)

} // namespace vellaro
