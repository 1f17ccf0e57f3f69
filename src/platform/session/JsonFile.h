#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace vellaro {

// The program's stored JSON files, read and written through OwnedFile:
// keys sorted, replaced whole or not at all.
class JsonFile {
public:
    enum class ReadStatus { ok, missing, unreadable, notAnObject };
    struct ReadResult {
        ReadStatus status = ReadStatus::missing;
        QJsonObject object;
        QString error; // why it could not be used
    };

    // The limit of the stores that keep no other.
    static constexpr qint64 maximumSize = 16 * 1024 * 1024;

    // Reads only a regular file of at most `limit` bytes.
    static ReadResult read(const QString& path, qint64 limit = maximumSize);

    // Creates the folder with its parents, then replaces the file whole. A
    // store that can grow writes compact JSON; one whose text would pass
    // `limit` is not written, so its reader never refuses what was saved.
    static bool write(const QString& path, const QJsonObject& object, QString* error = nullptr,
                      QJsonDocument::JsonFormat format = QJsonDocument::Indented,
                      qint64 limit = maximumSize);
};

} // namespace vellaro
