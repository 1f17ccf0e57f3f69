#pragma once

#include <QByteArray>
#include <QString>

namespace vellaro {

// A file the program keeps, written whole before it takes its place: a
// temporary beside the target, every write checked against the file's size
// limit, synced to disk, then renamed over the old file (or linked where
// none is) and the folder synced. The target must be a regular file, a link
// to one (written through) or a new path; anything else is refused. Until
// the new file is placed the old one stays as it was, and the temporary is
// removed unless it was placed.
class OwnedFileWriter {
public:
    // `userOnly`: the file is readable by the user alone (0600) from its
    // creation; otherwise it keeps the old file's mode, or takes the umask's.
    OwnedFileWriter(QString path, qint64 limit, bool userOnly = false);
    ~OwnedFileWriter();
    OwnedFileWriter(const OwnedFileWriter&) = delete;
    OwnedFileWriter& operator=(const OwnedFileWriter&) = delete;

    // False when the target is refused or the temporary could not be created.
    bool isOpen() const { return fd_ >= 0; }
    bool write(const char* data, qsizetype size);
    bool write(const QByteArray& data) { return write(data.constData(), data.size()); }
    // Syncs, then replaces the file at the path.
    bool replace();
    // Syncs, then places the file only where none is; false with `taken()`
    // when another was there first.
    bool link();
    bool taken() const { return taken_; }

    // Why the last step failed, in the system's words where it gave any.
    const QString& errorString() const { return error_; }

    // The name of a temporary of `fileName`, for removing stale ones.
    static bool isTemporaryOf(const QString& fileName, const QString& candidate);

private:
    bool finish();
    void syncFolder();

    QString path_;   // as given
    QString target_; // what is replaced: the path, or the regular file it links to
    qint64 limit_;
    qint64 written_ = 0;
    QByteArray temporary_;
    int fd_ = -1;
    bool taken_ = false;
    QString error_;
};

} // namespace vellaro
