#include "providers/apps/AppsConfiguration.h"

#include "model/JsonValues.h"

#include <QJsonArray>

namespace vellaro {

namespace {

std::optional<AppsConfiguration> fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return std::nullopt;
}

} // namespace

std::optional<AppsConfiguration> AppsConfiguration::fromJson(const QJsonObject& object,
                                                             QString* error) {
    if (!object.contains(QLatin1String("version")))
        return fail(error, QStringLiteral("the key \"version\" is missing"));
    const std::optional<std::int64_t> version =
        json::toInt64(object.value(QLatin1String("version")));
    if (!version)
        return fail(error, QStringLiteral("\"version\" is not an integer"));
    if (!object.contains(QLatin1String("pinned")))
        return fail(error, QStringLiteral("the key \"pinned\" is missing"));
    const QJsonValue pinned = object.value(QLatin1String("pinned"));
    if (!pinned.isArray())
        return fail(error, QStringLiteral("\"pinned\" is not an array"));

    AppsConfiguration configuration;
    configuration.version = *version;
    const QJsonArray pins = pinned.toArray();
    for (qsizetype i = 0; i < pins.size(); ++i) {
        if (!pins[i].isObject())
            return fail(error, QStringLiteral("pinned[%1] is not an object").arg(i));
        const QJsonObject pin = pins[i].toObject();
        QString fields[3];
        const char* keys[3] = {"bundleID", "name", "path"};
        for (int k = 0; k < 3; ++k) {
            const std::optional<QString> value = json::toString(pin.value(QLatin1String(keys[k])));
            if (!value)
                return fail(error, QStringLiteral("pinned[%1].%2 is missing or not a string")
                                       .arg(i)
                                       .arg(QLatin1String(keys[k])));
            fields[k] = *value;
        }
        configuration.pinned.push_back({fields[0], fields[1], fields[2]});
    }
    return configuration;
}

QJsonObject AppsConfiguration::toJson() const {
    QJsonArray pins;
    for (const PinnedApp& pin : pinned)
        pins.append(QJsonObject{{QStringLiteral("bundleID"), pin.bundleID},
                                {QStringLiteral("name"), pin.name},
                                {QStringLiteral("path"), pin.path}});
    return QJsonObject{{QStringLiteral("pinned"), pins},
                       {QStringLiteral("version"), static_cast<qint64>(version)}};
}

} // namespace vellaro
