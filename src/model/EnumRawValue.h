#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <optional>

namespace vellaro {

// Stored enumerations keep their case names as raw values. Each enumeration
// specialises EnumRawValues with its names in declaration order.
template <typename E>
struct EnumRawValues;

template <typename E>
QString rawValue(E value) {
    return QString::fromLatin1(EnumRawValues<E>::names[static_cast<std::size_t>(value)]);
}

// Exact, case-sensitive match; anything else is absent.
template <typename E>
std::optional<E> fromRawValue(const QString& raw) {
    const auto& names = EnumRawValues<E>::names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (raw == QLatin1String(names[i]))
            return static_cast<E>(i);
    }
    return std::nullopt;
}

// Every case, in declaration order.
template <typename E>
constexpr auto allCases() {
    constexpr std::size_t count = EnumRawValues<E>::names.size();
    std::array<E, count> cases{};
    for (std::size_t i = 0; i < count; ++i)
        cases[i] = static_cast<E>(i);
    return cases;
}

} // namespace vellaro
