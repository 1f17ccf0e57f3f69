#include "model/JsonValues.h"

#include <limits>

namespace vellaro::json {

std::optional<std::int64_t> toInt64(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    // toInteger() gives the exact integer, or the default for a fraction or a
    // number out of range; two different defaults tell the cases apart.
    const qint64 number = value.toInteger(0);
    if (value.toInteger(1) != number)
        return std::nullopt;
    return number;
}

std::optional<std::uint32_t> toUInt32(const QJsonValue& value) {
    const auto number = toInt64(value);
    if (!number || *number < 0 || *number > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*number);
}

std::optional<double> toDouble(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    return value.toDouble();
}

std::optional<bool> toBool(const QJsonValue& value) {
    if (!value.isBool())
        return std::nullopt;
    return value.toBool();
}

std::optional<QString> toString(const QJsonValue& value) {
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<QStringList> toStringList(const QJsonValue& value) {
    if (!value.isArray())
        return std::nullopt;
    QStringList list;
    for (const QJsonValue& element : value.toArray()) {
        if (!element.isString())
            return std::nullopt;
        list.append(element.toString());
    }
    return list;
}

std::optional<std::vector<SectionKind>> toSections(const QJsonValue& value) {
    if (!value.isArray())
        return std::nullopt;
    std::vector<SectionKind> sections;
    for (const QJsonValue& element : value.toArray()) {
        const auto kind =
            element.isString() ? sectionKindFromRawValue(element.toString()) : std::nullopt;
        if (!kind)
            return std::nullopt;
        sections.push_back(*kind);
    }
    return sections;
}

QJsonArray fromSections(const std::vector<SectionKind>& sections) {
    QJsonArray array;
    for (SectionKind kind : sections)
        array.append(rawValue(kind));
    return array;
}

} // namespace vellaro::json
