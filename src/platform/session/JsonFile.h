#pragma once

#include <QJsonObject>
#include <QString>

namespace vellaro {

// The program's stored JSON files: pretty-printed with sorted keys, replaced
// atomically, and moved aside rather than overwritten when they cannot be used.
class JsonFile {
public:
    enum class ReadStatus { ok, missing, unreadable, notAnObject };
    struct ReadResult {
        ReadStatus status = ReadStatus::missing;
        QJsonObject object;
        QString error; // why it could not be used
    };

    static ReadResult read(const QString& path);

    // Creates the folder with its parents, then replaces the file atomically.
    static bool write(const QString& path, const QJsonObject& object, QString* error = nullptr);

    // Renames the file to "<path>.rejected-<UTC timestamp>" (a counter is
    // appended when that name is taken). Returns the new path, or empty.
    static QString moveAside(const QString& path, QString* error = nullptr);
};

} // namespace vellaro
