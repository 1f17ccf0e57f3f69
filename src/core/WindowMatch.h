#pragma once

#include "core/MatchTier.h"

#include <cstdint>

namespace vellaro {

// One pairing of a captured window with a live one, and the pass that made it.
struct WindowMatch {
    std::int64_t capturedIndex = 0;
    std::int64_t liveIndex = 0;
    MatchTier tier = MatchTier::exactTitle;

    friend bool operator==(const WindowMatch&, const WindowMatch&) = default;
};

} // namespace vellaro
