#include "app/UpdaterCenterService.h"

#include "updates/UpdateControls.h"

namespace vellaro {

void UpdaterCenterService::checkForUpdates() {
    controls_.checkForUpdates();
}

} // namespace vellaro
