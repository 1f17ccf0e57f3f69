#include "core/CapturedWindow.h"

#include "core/FrameCoding.h"

#include <QJsonValue>

namespace vellaro {

QJsonObject CapturedWindow::toJson() const {
    return QJsonObject{{QStringLiteral("bundleID"), bundleID},
                       {QStringLiteral("title"), title},
                       {QStringLiteral("frame"), frameToJson(frame)}};
}

std::optional<CapturedWindow> CapturedWindow::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue bundleID = object.value(QStringLiteral("bundleID"));
    const QJsonValue title = object.value(QStringLiteral("title"));
    const auto frame = frameFromJson(object.value(QStringLiteral("frame")));
    if (!bundleID.isString() || !title.isString() || !frame)
        return std::nullopt;
    return CapturedWindow{bundleID.toString(), title.toString(), *frame};
}

} // namespace vellaro
