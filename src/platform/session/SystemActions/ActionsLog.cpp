#include "platform/session/SystemActions/ActionsLog.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcActions, "vellaro.actions")

} // namespace vellaro
