#include "platform/secrets/PrivateFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vellaro {

namespace {

QString errorText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

PrivateFile::PrivateFile(QString path)
    : path_(std::move(path)), temporary_(QFile::encodeName(path_ + QStringLiteral(".new-XXXXXX"))) {
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC); // 0600 from the start
    if (fd_ < 0) {
        error_ = errorText();
        temporary_.clear();
    }
}

PrivateFile::~PrivateFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
}

bool PrivateFile::write(const QByteArray& data) {
    if (fd_ < 0)
        return false;
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd_, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = n < 0 ? errorText() : QStringLiteral("nothing written");
            return false;
        }
        done += n;
    }
    return true;
}

bool PrivateFile::finish() {
    if (fd_ < 0)
        return false;
    const bool synced = ::fsync(fd_) == 0;
    if (!synced)
        error_ = errorText();
    ::close(fd_);
    fd_ = -1;
    return synced;
}

bool PrivateFile::replace() {
    if (!finish())
        return false;
    if (::rename(temporary_.constData(), QFile::encodeName(path_).constData()) != 0) {
        error_ = errorText();
        return false;
    }
    temporary_.clear();
    return true;
}

bool PrivateFile::link() {
    if (!finish())
        return false;
    if (::link(temporary_.constData(), QFile::encodeName(path_).constData()) != 0) {
        taken_ = errno == EEXIST;
        error_ = errorText();
        return false;
    }
    return true; // the temporary name goes with the destructor
}

} // namespace vellaro
