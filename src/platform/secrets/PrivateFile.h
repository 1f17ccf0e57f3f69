#pragma once

#include <QByteArray>
#include <QString>

namespace vellaro {

// A new file written whole before it takes its place: a temporary next to
// `path`, readable by the user alone (0600) from its creation, synced to
// disk, then renamed over the old file or linked where none is. The
// temporary is removed unless it was placed. For keys and sealed files.
class PrivateFile {
public:
    explicit PrivateFile(QString path);
    ~PrivateFile();
    PrivateFile(const PrivateFile&) = delete;
    PrivateFile& operator=(const PrivateFile&) = delete;

    // False when the temporary could not be created.
    bool isOpen() const { return fd_ >= 0; }
    bool write(const QByteArray& data);
    // Syncs, then replaces whatever is at the path.
    bool replace();
    // Syncs, then places the file only where none is; false with `taken()`
    // when another was there first.
    bool link();
    bool taken() const { return taken_; }

    // Why the last step failed.
    const QString& errorString() const { return error_; }

private:
    bool finish();

    QString path_;
    QByteArray temporary_;
    int fd_ = -1;
    bool taken_ = false;
    QString error_;
};

} // namespace vellaro
