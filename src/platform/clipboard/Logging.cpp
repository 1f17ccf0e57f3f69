#include "platform/clipboard/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcPasteboard, "vellaro.pasteboard")

} // namespace vellaro
