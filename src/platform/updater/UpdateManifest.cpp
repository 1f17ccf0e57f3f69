#include "platform/updater/UpdateManifest.h"

#include "platform/session/JsonFile.h"

#include <QFile>
#include <QJsonValue>

#include <algorithm>

namespace vellaro {

namespace {

QString missing() {
    return QStringLiteral("The update carries no build number (%1); packages made before "
                          "Vellaro checked it are refused.")
        .arg(QLatin1String(UpdateManifest::fileName));
}

QString verdict(const JsonFile::ReadResult& manifest, const QString& build) {
    if (manifest.status == JsonFile::ReadStatus::missing)
        return missing();
    const QJsonValue packed = manifest.object.value(QStringLiteral("build"));
    if (manifest.status != JsonFile::ReadStatus::ok || !packed.isString())
        return QStringLiteral("The update's build number cannot be read (%1).")
            .arg(QLatin1String(UpdateManifest::fileName));
    if (packed.toString() != build)
        return QStringLiteral("The update is build %1, but the feed announced build %2.")
            .arg(packed.toString(), build);
    return {};
}

// The manifest appended to an AppImage, found through its footer.
JsonFile::ReadResult readAppended(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < UpdateManifest::footerSize ||
        !file.seek(file.size() - UpdateManifest::footerSize))
        return {JsonFile::ReadStatus::missing, {}, {}};
    const QByteArray footer = file.read(UpdateManifest::footerSize);
    const QByteArray name = QByteArray(UpdateManifest::fileName) + ' ';
    if (footer.size() != UpdateManifest::footerSize || !footer.startsWith(name) ||
        !footer.endsWith('\n'))
        return {JsonFile::ReadStatus::missing, {}, {}};
    const QByteArray digits = footer.mid(name.size(), 8);
    const bool decimal =
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    const qsizetype length = decimal ? digits.toLongLong() : 0;
    if (length < 1 || length > UpdateManifest::maximumSize ||
        length > file.size() - UpdateManifest::footerSize ||
        !file.seek(file.size() - UpdateManifest::footerSize - length))
        return {JsonFile::ReadStatus::unreadable, {}, {}};
    const QJsonDocument document = QJsonDocument::fromJson(file.read(length));
    if (!document.isObject())
        return {JsonFile::ReadStatus::notAnObject, {}, {}};
    return {JsonFile::ReadStatus::ok, document.object(), {}};
}

} // namespace

QString UpdateManifest::check(const QString& folder, const QString& build) {
    return verdict(JsonFile::read(folder + QLatin1Char('/') + QLatin1String(fileName)), build);
}

QString UpdateManifest::checkAppImage(const QString& appImage, const QString& build) {
    return verdict(readAppended(appImage), build);
}

} // namespace vellaro
