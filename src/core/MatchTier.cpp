#include "core/MatchTier.h"

namespace vellaro {

namespace {
constexpr std::array<const char*, allMatchTiers.size()> tierNames{
    "exactTitle", "normalizedTitle", "titlePrefix", "frame", "residual"};
} // namespace

QString rawValue(MatchTier tier) {
    return QString::fromLatin1(tierNames[static_cast<std::size_t>(tier)]);
}

std::optional<MatchTier> matchTierFromRawValue(const QString& raw) {
    for (const MatchTier tier : allMatchTiers) {
        if (raw == QLatin1String(tierNames[static_cast<std::size_t>(tier)]))
            return tier;
    }
    return std::nullopt;
}

} // namespace vellaro
