#include "overlay/RadialLogging.h"

namespace vellaro {

Q_LOGGING_CATEGORY(lcRadial, "vellaro.radial", QtInfoMsg)

} // namespace vellaro
