#pragma once

#include <unistd.h>

namespace vellaro {

// Owns a POSIX file descriptor and closes it on every path out of a scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool isValid() const { return fd_ >= 0; }

private:
    int fd_;
};

} // namespace vellaro
