#include "model/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcPersistence, "vellaro.persistence")

} // namespace vellaro
