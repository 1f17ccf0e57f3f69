#pragma once

#include "model/SectionProvider.h"

namespace vellaro {

// The windows section's provider as the data source sees it: it remembers
// the window-access trust its items last reflected, so the data source can
// tell it when the dial opens on a changed trust.
class WindowsSectionProvider : public SectionProvider {
public:
    bool wasTrusted() const { return wasTrusted_; }
    void setWasTrusted(bool trusted) { wasTrusted_ = trusted; }

private:
    bool wasTrusted_ = false;
};

} // namespace vellaro
