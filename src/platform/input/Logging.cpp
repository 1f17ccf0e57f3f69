#include "platform/input/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcInput, "vellaro.input")

} // namespace vellaro
