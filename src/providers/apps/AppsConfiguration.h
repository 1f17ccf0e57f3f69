#pragma once

#include "providers/apps/PinnedApp.h"

#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace vellaro {

// The content of apps.json: the format version and the pins in dial order.
struct AppsConfiguration {
    static constexpr std::int64_t currentVersion = 1;

    std::int64_t version = currentVersion;
    std::vector<PinnedApp> pinned;

    // Every key is required with its type; other keys are ignored. None,
    // with `error` set, when the object does not decode.
    static std::optional<AppsConfiguration> fromJson(const QJsonObject& object,
                                                     QString* error = nullptr);
    QJsonObject toJson() const;

    friend bool operator==(const AppsConfiguration&, const AppsConfiguration&) = default;
};

} // namespace vellaro
