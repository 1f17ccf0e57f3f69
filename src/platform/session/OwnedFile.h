#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vellaro {

// The one way every file the program keeps is read and written, whatever
// happens to be at its path: reads take only regular files (or links to
// them), opened without blocking and bounded by the file's own limit;
// writes go through OwnedFileWriter, so a failed save leaves the old file
// byte for byte. Each failure comes with the system's reason.
class OwnedFile {
public:
    OwnedFile() = delete;

    enum class ReadStatus { ok, missing, unreadable };
    struct ReadResult {
        ReadStatus status = ReadStatus::missing;
        QByteArray data;
        QString error; // why it could not be read
    };

    // A FIFO, a device, a folder or a file larger than `limit` is refused
    // without waiting on it. A link to nothing is unreadable, not missing:
    // it is the user's and must not be written through.
    static ReadResult read(const QString& path, qint64 limit);

    // Creates the folder with its parents, then replaces the file whole.
    // `data` larger than `limit` is refused, so no file is written that its
    // reader would refuse.
    static bool write(const QString& path, const QByteArray& data, qint64 limit,
                      QString* error = nullptr);

    // Anything at the path, a link to nothing included.
    static bool exists(const QString& path);

    // Renames whatever is at the path (a link, not what it names) to
    // "<path>.rejected-<UTC timestamp>" (a counter is appended when that name
    // is taken), and tells the person once. Returns the new path, or empty.
    static QString moveAside(const QString& path, QString* error = nullptr);

    // Deletes the temporaries an interrupted write of `path` left beside it
    // (ours, and those of the Qt writer older versions used). Call only while
    // no other writer of the file can run. Returns the paths removed.
    static QStringList removeStaleTemporaries(const QString& path);

    // Syncs every file and folder under `path` (or the file itself) to disk,
    // then the folder holding it: for a tree about to be put in place by a
    // rename. False with the system's reason on the first failure.
    static bool syncTree(const QString& path, QString* error = nullptr);
    // Syncs the folder's own entries, after a rename in it.
    static bool syncFolder(const QString& folder, QString* error = nullptr);
};

} // namespace vellaro
