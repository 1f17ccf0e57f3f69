#pragma once

#include "platform/windows/WindowAccessTrust.h"

namespace vellaro::dialshot {

// Window access granted, so the windows section shows its items.
class TrustedWindowAccess final : public WindowAccessTrust {
public:
    bool isTrusted() override { return true; }
};

} // namespace vellaro::dialshot
