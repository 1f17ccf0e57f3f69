#pragma once

#include <QString>
#include <array>
#include <optional>

namespace vellaro {

// The matcher's passes, in the order they run. Stored by raw value (the
// case name).
enum class MatchTier { exactTitle, normalizedTitle, titlePrefix, frame, residual };

inline constexpr std::array allMatchTiers{MatchTier::exactTitle, MatchTier::normalizedTitle,
                                          MatchTier::titlePrefix, MatchTier::frame,
                                          MatchTier::residual};

QString rawValue(MatchTier tier);
// Exact case name; anything else is absent.
std::optional<MatchTier> matchTierFromRawValue(const QString& raw);

} // namespace vellaro
