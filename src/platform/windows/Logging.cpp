#include "platform/windows/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcWindows, "vellaro.windows")

} // namespace vellaro
