#include "workspaces/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcWorkspaces, "vellaro.workspaces")

} // namespace vellaro
