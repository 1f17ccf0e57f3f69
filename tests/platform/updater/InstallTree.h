#pragma once

#include "platform/updater/InstallLocation.h"

#include <QString>
#include <QTemporaryDir>

namespace vellaro::test {

// A per-user install in a temporary folder: either a versioned one
// (versions/<build>/bin/vellaro, current -> versions/<build>) or an AppImage.
class InstallTree {
public:
    static InstallTree versioned(const QString& runningBuild);
    static InstallTree appImage();

    InstallLocation location;
    QString root() const { return dir_->path(); }
    QString path(const QString& relative) const { return dir_->filePath(relative); }
    QString read(const QString& relative) const;
    void write(const QString& relative, const QByteArray& content, int mode = 0644) const;

    // Every entry below the root with its kind, mode and content or link
    // target, one per line: equal snapshots mean an untouched install.
    QString snapshot() const;

private:
    InstallTree();
    std::shared_ptr<QTemporaryDir> dir_;
};

} // namespace vellaro::test
