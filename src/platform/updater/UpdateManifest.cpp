#include "platform/updater/UpdateManifest.h"

#include "platform/session/JsonFile.h"

#include <QJsonValue>

namespace vellaro {

QString UpdateManifest::check(const QString& folder, const QString& build) {
    const JsonFile::ReadResult manifest =
        JsonFile::read(folder + QLatin1Char('/') + QLatin1String(fileName));
    if (manifest.status == JsonFile::ReadStatus::missing)
        return QStringLiteral("The update carries no build number (%1); packages made before "
                              "Vellaro checked it are refused.")
            .arg(QLatin1String(fileName));
    const QJsonValue packed = manifest.object.value(QStringLiteral("build"));
    if (manifest.status != JsonFile::ReadStatus::ok || !packed.isString())
        return QStringLiteral("The update's build number cannot be read (%1).")
            .arg(QLatin1String(fileName));
    if (packed.toString() != build)
        return QStringLiteral("The update is build %1, but the feed announced build %2.")
            .arg(packed.toString(), build);
    return {};
}

} // namespace vellaro
