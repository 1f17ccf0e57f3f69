#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

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

    // Larger files are refused unread.
    static constexpr qint64 maximumSize = 16 * 1024 * 1024;

    // Reads only a regular file (a FIFO or a device is refused without
    // waiting on it) of at most maximumSize bytes.
    static ReadResult read(const QString& path);

    // Creates the folder with its parents, then replaces the file atomically.
    // Every write is checked before the new file takes the old one's place, so
    // a full disk leaves the old file as it was.
    static bool write(const QString& path, const QJsonObject& object, QString* error = nullptr);

    // Renames the file to "<path>.rejected-<UTC timestamp>" (a counter is
    // appended when that name is taken). Returns the new path, or empty.
    static QString moveAside(const QString& path, QString* error = nullptr);

    // Deletes the temporary files an interrupted write of `path` left beside
    // it. Call only while no other writer of the file can run. Returns the
    // paths removed.
    static QStringList removeStaleTemporaries(const QString& path);
};

} // namespace vellaro
