#include "platform/session/JsonFile.h"

#include "platform/session/OwnedFile.h"

namespace vellaro {

JsonFile::ReadResult JsonFile::read(const QString& path, qint64 limit) {
    const OwnedFile::ReadResult file = OwnedFile::read(path, limit);
    switch (file.status) {
    case OwnedFile::ReadStatus::missing:
        return {ReadStatus::missing, {}, file.error};
    case OwnedFile::ReadStatus::unreadable:
        return {ReadStatus::unreadable, {}, file.error};
    case OwnedFile::ReadStatus::ok:
        break;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.data, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {ReadStatus::notAnObject, {}, parseError.errorString()};
    if (!document.isObject())
        return {ReadStatus::notAnObject, {}, QStringLiteral("the top level is not an object")};
    return {ReadStatus::ok, document.object(), {}};
}

bool JsonFile::write(const QString& path, const QJsonObject& object, QString* error,
                     QJsonDocument::JsonFormat format, qint64 limit) {
    // QJsonObject keeps its keys sorted, so the output is sorted at every level.
    return OwnedFile::write(path, QJsonDocument(object).toJson(format), limit, error);
}

} // namespace vellaro
