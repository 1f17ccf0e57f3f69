#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace vellaro::test {

// What may be found at the path of a file the program keeps instead of the
// file: each would hang, flood or fool a plain reader.
struct BadPath {
    const char* name;
    // Puts it at `path`; `scratch` is a folder of the test's for what it
    // links to. False when it could not be made.
    bool (*plant)(const QString& path, const QString& scratch, qint64 limit);
};

// A zero device of the test's own where it may make one (as root), so that
// nothing written through a link by mistake can reach the system's.
inline QString zeroDevice(const QString& scratch) {
    const QString own = scratch + QStringLiteral("/zero");
    if (QFileInfo::exists(own) ||
        ::mknod(QFile::encodeName(own).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0)
        return own;
    return QStringLiteral("/dev/zero");
}

inline const std::vector<BadPath>& badPaths() {
    static const std::vector<BadPath> paths = {
        {"a FIFO", [](const QString& path, const QString&,
                      qint64) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }},
        {"a link to a zero device", [](const QString& path, const QString& scratch,
                                       qint64) { return QFile::link(zeroDevice(scratch), path); }},
        {"a folder",
         [](const QString& path, const QString&, qint64) { return QDir().mkpath(path); }},
        // A regular file whose read fails, even for root.
        {"an unreadable file",
         [](const QString& path, const QString&, qint64) {
             return QFile::link(QStringLiteral("/proc/self/mem"), path);
         }},
        {"a file over the limit",
         [](const QString& path, const QString&, qint64 limit) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) && file.resize(limit + 1); // sparse
         }},
        {"a link to nothing",
         [](const QString& path, const QString& scratch, qint64) {
             return QFile::link(scratch + QStringLiteral("/missing"), path);
         }},
    };
    return paths;
}

// What is at `path`, to tell that a thing kept aside is the one found there.
inline QString kindOf(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("link to ") + QFile::symLinkTarget(path);
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("FIFO");
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("folder");
    if (S_ISREG(info.st_mode))
        return QStringLiteral("file of %1 bytes").arg(info.st_size);
    return QStringLiteral("other");
}

} // namespace vellaro::test
