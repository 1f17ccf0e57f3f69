#include "platform/apps/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcApps, "vellaro.apps")

} // namespace vellaro
