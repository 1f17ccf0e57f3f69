#include "core/FrameCoding.h"

#include <QJsonValue>
#include <cmath>

namespace vellaro {

namespace {

std::optional<std::pair<double, double>> numberPair(const QJsonValue& value) {
    if (!value.isArray())
        return std::nullopt;
    const QJsonArray pair = value.toArray();
    if (pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble())
        return std::nullopt;
    const double first = pair[0].toDouble();
    const double second = pair[1].toDouble();
    if (!std::isfinite(first) || !std::isfinite(second))
        return std::nullopt;
    return std::pair{first, second};
}

} // namespace

QJsonArray frameToJson(const QRectF& frame) {
    return QJsonArray{QJsonArray{frame.x(), frame.y()}, QJsonArray{frame.width(), frame.height()}};
}

std::optional<QRectF> frameFromJson(const QJsonValue& value) {
    if (!value.isArray() || value.toArray().size() != 2)
        return std::nullopt;
    const QJsonArray halves = value.toArray();
    const auto origin = numberPair(halves[0]);
    const auto size = numberPair(halves[1]);
    if (!origin || !size)
        return std::nullopt;
    return QRectF(origin->first, origin->second, size->first, size->second);
}

} // namespace vellaro
