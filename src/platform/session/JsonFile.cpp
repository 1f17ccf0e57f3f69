#include "platform/session/JsonFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

namespace vellaro {

namespace {
void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}
} // namespace

JsonFile::ReadResult JsonFile::read(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return {ReadStatus::missing, {}, QStringLiteral("the file does not exist")};
    if (!file.open(QIODevice::ReadOnly))
        return {ReadStatus::unreadable, {}, file.errorString()};
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {ReadStatus::unreadable, {}, file.errorString()};
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {ReadStatus::notAnObject, {}, parseError.errorString()};
    if (!document.isObject())
        return {ReadStatus::notAnObject, {}, QStringLiteral("the top level is not an object")};
    return {ReadStatus::ok, document.object(), {}};
}

bool JsonFile::write(const QString& path, const QJsonObject& object, QString* error) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        setError(error, QStringLiteral("cannot create the folder %1").arg(folder));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    // QJsonObject keeps its keys sorted, so the output is sorted at every level.
    file.write(QJsonDocument(object).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

QString JsonFile::moveAside(const QString& path, QString* error) {
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const QString base = path + QStringLiteral(".rejected-") + stamp;
    QString target = base;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    QFile file(path);
    if (!file.rename(target)) {
        setError(error, file.errorString());
        return {};
    }
    return target;
}

} // namespace vellaro
