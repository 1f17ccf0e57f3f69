#include "platform/layers/Logging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcLayers, "vellaro.layers")

} // namespace vellaro
