#include "clipboard/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcClipboard, "vellaro.clipboard")
Q_LOGGING_CATEGORY(lcClipboardStore, "vellaro.clipboard-store")

} // namespace vellaro
