#pragma once

#include "app/UpdateService.h"

namespace vellaro {

class UpdateControls;

// The shell's "Check for Updates…" on the update service. Always offered: a
// copy that cannot update itself says why in the update window.
class UpdaterCenterService final : public UpdateService {
public:
    explicit UpdaterCenterService(UpdateControls& controls) : controls_(controls) {}

    bool isAvailable() const override { return true; }
    void checkForUpdates() override;

private:
    UpdateControls& controls_;
};

} // namespace vellaro
