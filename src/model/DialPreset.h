#pragma once

#include "model/SectionKind.h"

#include <QJsonObject>
#include <QString>
#include <QUuid>
#include <optional>
#include <vector>

namespace vellaro {

// A named section list that the user can put on the dial in one step.
struct DialPreset {
    QUuid id;
    QString name;
    std::vector<SectionKind> sections; // clockwise from twelve o'clock

    // A preset with a fresh random id.
    static DialPreset make(const QString& name, std::vector<SectionKind> sections);

    // "Ultimate Productivity", "Writer's Focus", "Media & Calls", with fixed ids.
    static const std::vector<DialPreset>& builtIns();

    // The stored form: "id" (upper-case UUID text), "name", "sections".
    QJsonObject toJson() const;
    // All three keys are required; other keys are ignored. On failure `error`
    // says why and nothing is returned.
    static std::optional<DialPreset> fromJson(const QJsonValue& value, QString* error = nullptr);

    friend bool operator==(const DialPreset&, const DialPreset&) = default;
};

} // namespace vellaro
