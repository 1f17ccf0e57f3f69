#pragma once

#include <QJsonArray>
#include <QRectF>
#include <optional>

namespace vellaro {

// The stored form of a rectangle: [[x, y], [width, height]].
QJsonArray frameToJson(const QRectF& frame);
// Absent unless the value is two arrays of two finite numbers each.
std::optional<QRectF> frameFromJson(const QJsonValue& value);

} // namespace vellaro
