#pragma once

#include "model/EnumRawValue.h"
#include "model/SectionKind.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace vellaro::json {

// Strict readers for stored files: each gives absent for a value its type
// cannot hold (wrong JSON type, a fraction or out-of-range number in an
// integer, an unknown raw value), never a converted or partial value.
std::optional<std::int64_t> toInt64(const QJsonValue& value);
std::optional<std::uint32_t> toUInt32(const QJsonValue& value);
std::optional<double> toDouble(const QJsonValue& value);
std::optional<bool> toBool(const QJsonValue& value);
std::optional<QString> toString(const QJsonValue& value);
std::optional<QStringList> toStringList(const QJsonValue& value);
std::optional<std::vector<SectionKind>> toSections(const QJsonValue& value);

template <typename E>
std::optional<E> toEnum(const QJsonValue& value) {
    if (!value.isString())
        return std::nullopt;
    return fromRawValue<E>(value.toString());
}

QJsonArray fromSections(const std::vector<SectionKind>& sections);

} // namespace vellaro::json
