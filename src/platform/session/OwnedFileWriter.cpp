#include "platform/session/OwnedFileWriter.h"

#include "platform/session/FileDescriptor.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellaro {

namespace {

QString errorText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Read while the process has one thread: umask() can only be read by setting it.
const mode_t processUmask = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}();

const QString notRegular = QStringLiteral("it is not a regular file");

} // namespace

OwnedFileWriter::OwnedFileWriter(QString path, qint64 limit, bool userOnly)
    : path_(std::move(path)), limit_(limit) {
    const QByteArray name = QFile::encodeName(path_);
    mode_t mode = userOnly ? 0600 : 0666 & ~processUmask;
    struct stat info {};
    if (::lstat(name.constData(), &info) == 0) {
        if (S_ISLNK(info.st_mode)) {
            // Written through to the file it names; never replacing the link
            // with a file, nor a device or a pipe with one.
            if (::stat(name.constData(), &info) != 0) {
                error_ = QStringLiteral("it is a link to a missing file");
                return;
            }
            target_ = QFileInfo(path_).canonicalFilePath();
        } else {
            target_ = path_;
        }
        if (!S_ISREG(info.st_mode) || target_.isEmpty()) {
            error_ = notRegular;
            return;
        }
        if (!userOnly)
            mode = info.st_mode & 07777;
    } else if (errno == ENOENT) {
        target_ = path_;
    } else {
        error_ = errorText();
        return;
    }
    temporary_ = QFile::encodeName(target_ + QStringLiteral(".new-XXXXXX"));
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC); // 0600 from the start
    if (fd_ < 0) {
        error_ = errorText();
        temporary_.clear();
        return;
    }
    if (mode != 0600 && ::fchmod(fd_, mode) != 0) {
        error_ = errorText();
        ::close(fd_);
        fd_ = -1;
    }
}

OwnedFileWriter::~OwnedFileWriter() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
}

bool OwnedFileWriter::write(const char* data, qsizetype size) {
    if (fd_ < 0)
        return false;
    if (written_ + size > limit_) {
        error_ = QStringLiteral("the file would be larger than %1 bytes").arg(limit_);
        return false;
    }
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = n < 0 ? errorText() : QStringLiteral("nothing written");
            return false;
        }
        done += n;
    }
    written_ += size;
    return true;
}

bool OwnedFileWriter::finish() {
    if (fd_ < 0)
        return false;
    bool done = ::fsync(fd_) == 0;
    if (!done)
        error_ = errorText();
    // Some file systems report a lost write only when the file is closed.
    if (::close(fd_) != 0 && done) {
        error_ = errorText();
        done = false;
    }
    fd_ = -1;
    return done;
}

void OwnedFileWriter::syncFolder() {
    // The rename is durable only once the folder's entry is; a file system
    // that cannot sync a folder has already placed it as well as it can.
    const FileDescriptor folder(
        ::open(QFile::encodeName(QFileInfo(target_).absolutePath()).constData(),
               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.isValid())
        ::fsync(folder.get());
}

bool OwnedFileWriter::replace() {
    if (!finish())
        return false;
    const QByteArray target = QFile::encodeName(target_);
    struct stat info {};
    if (::lstat(target.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        error_ = notRegular; // something else took the path while we wrote
        return false;
    }
    if (::rename(temporary_.constData(), target.constData()) != 0) {
        error_ = errorText();
        return false;
    }
    temporary_.clear();
    syncFolder();
    return true;
}

bool OwnedFileWriter::link() {
    if (!finish())
        return false;
    if (::link(temporary_.constData(), QFile::encodeName(path_).constData()) != 0) {
        taken_ = errno == EEXIST;
        error_ = errorText();
        return false;
    }
    syncFolder();
    return true; // the temporary name goes with the destructor
}

bool OwnedFileWriter::isTemporaryOf(const QString& fileName, const QString& candidate) {
    const QString prefix = fileName + QStringLiteral(".new-");
    if (candidate.size() != prefix.size() + 6 || !candidate.startsWith(prefix))
        return false;
    for (const QChar c : QStringView(candidate).mid(prefix.size())) {
        if (!(c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
              (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            return false;
    }
    return true;
}

} // namespace vellaro
