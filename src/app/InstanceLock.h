#pragma once

#include <QString>

namespace vellaro {

// Keeps a second copy of Vellaro on the same display from starting: every
// global grab would fail for it. An exclusive lock on a file in the runtime
// folder, which the kernel drops when the holder dies, so a crash leaves no
// stale lock behind.
class InstanceLock {
public:
    // The lock file for `display` inside `runtimeDir`.
    InstanceLock(const QString& runtimeDir, const QString& display);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the lock (or held it already).
    bool tryLock();
    bool isLocked() const { return fd_ >= 0; }
    QString path() const { return path_; }
    // Why the last tryLock() failed; empty after success.
    QString errorString() const { return error_; }
    // The last tryLock() failed because another process holds the lock (as
    // opposed to the lock file being unusable).
    bool heldByAnother() const { return heldByAnother_; }

    static QString defaultRuntimeDir();

private:
    QString path_;
    QString error_;
    bool heldByAnother_ = false;
    int fd_ = -1;
};

} // namespace vellaro
