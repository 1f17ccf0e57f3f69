#pragma once

#include "core/WindowMatch.h"

#include <cstdint>
#include <vector>

namespace vellaro {

// Every captured index stands once: in one match or among the unmatched.
// Both lists ascend by captured index; no live index is used twice.
struct MatchReport {
    std::vector<WindowMatch> matches;
    std::vector<std::int64_t> unmatchedCaptured;

    // Matches over matches plus unmatched; 1.0 when there is nothing at all.
    double matchRatio() const {
        const auto matched = static_cast<std::int64_t>(matches.size());
        const auto total = matched + static_cast<std::int64_t>(unmatchedCaptured.size());
        return total == 0 ? 1.0 : double(matched) / double(total);
    }

    friend bool operator==(const MatchReport&, const MatchReport&) = default;
};

} // namespace vellaro
