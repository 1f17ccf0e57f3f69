#pragma once

#include <QString>

#include <functional>

namespace vellaro {

// Unpacks a version folder's .tar.xz into a new folder, refusing anything
// that could land outside it: absolute paths, "..", hard links, devices,
// links pointing out or through other links, and writing through a link.
// Blocking: run it off the main thread.
class ArchiveExtractor {
public:
    static constexpr qint64 maximumUnpackedBytes = qint64(2) * 1024 * 1024 * 1024;

    // Bytes free for us on the file system holding a folder.
    using FreeSpace = std::function<qint64(const QString& folder)>;

    // `destination` must not exist yet; on failure it is removed again.
    // The sizes the archive announces are added up first and checked against
    // the limit and the free space before anything is written; no write goes
    // past them. `progress` gets 0…1 as the archive is read. Empty on
    // success. `freeSpace` asks the file system when empty.
    static QString extract(const QString& archivePath, const QString& destination,
                           const std::function<void(double)>& progress,
                           const FreeSpace& freeSpace = {});
};

} // namespace vellaro
