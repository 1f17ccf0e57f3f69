#include "platform/secrets/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcSecrets, "vellaro.secrets")

} // namespace vellaro
