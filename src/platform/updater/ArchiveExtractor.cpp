#include "platform/updater/ArchiveExtractor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QStringList>

#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace vellaro {

namespace {

struct ArchiveFree {
    void operator()(archive* handle) const { archive_read_free(handle); }
};

// The entry's path relative to the destination, or empty when it must be refused.
QString relativePathOf(const QString& raw) {
    if (raw.startsWith(QLatin1Char('/')))
        return {};
    QStringList parts;
    for (const QString& part : raw.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..")
            return {};
        parts << part;
    }
    return parts.isEmpty() ? QStringLiteral(".") : parts.join(QLatin1Char('/'));
}

bool isUnder(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

QString notEnoughSpace(qint64 needed) {
    return QStringLiteral("There is not enough free space for the update (%1 needed)")
        .arg(QLocale::system().formattedDataSize(needed, 1, QLocale::DataSizeSIFormat));
}

class Extraction {
public:
    // `announced`: the bytes the archive's headers promise, which no write passes.
    Extraction(const QString& destination, qint64 announced)
        : root_(destination), announced_(announced) {}

    QString entry(archive* handle, archive_entry* entry) {
        const QString raw = QString::fromUtf8(archive_entry_pathname_utf8(entry)
                                                  ? archive_entry_pathname_utf8(entry)
                                                  : archive_entry_pathname(entry));
        const QString path = relativePathOf(raw);
        if (path.isEmpty())
            return QStringLiteral("The update contains a path outside its folder (%1).").arg(raw);
        if (path == u".")
            return {};
        for (const QString& link : links_) {
            if (isUnder(path, link))
                return QStringLiteral("The update writes through a link (%1).").arg(raw);
        }
        if (archive_entry_hardlink(entry))
            return QStringLiteral("The update contains a hard link (%1).").arg(raw);
        const QString full = root_ + QLatin1Char('/') + path;
        switch (archive_entry_filetype(entry)) {
        case AE_IFDIR:
            if (QFileInfo(full).isSymLink() || !QDir().mkpath(full))
                return QStringLiteral("The update could not create %1.").arg(raw);
            return {};
        case AE_IFREG:
            return file(handle, entry, path, full);
        case AE_IFLNK:
            return link(entry, path, full);
        default:
            return QStringLiteral("The update contains a special file (%1).").arg(raw);
        }
    }

private:
    QString file(archive* handle, archive_entry* entry, const QString& path, const QString& full) {
        if (!QDir().mkpath(QFileInfo(full).path()))
            return QStringLiteral("The update could not create %1.").arg(path);
        const mode_t mode = archive_entry_perm(entry) & 0755;
        const int fd = ::open(QFile::encodeName(full).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode | 0600);
        if (fd < 0)
            return QStringLiteral("The update could not write %1.").arg(path);
        QString error;
        const la_int64_t entrySize = archive_entry_size(entry);
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        for (;;) {
            const int status = archive_read_data_block(handle, &block, &size, &offset);
            if (status == ARCHIVE_EOF)
                break;
            if (status != ARCHIVE_OK) {
                error = QStringLiteral("The update is damaged: %1")
                            .arg(QString::fromUtf8(archive_error_string(handle)));
                break;
            }
            unpacked_ += qint64(size);
            if (unpacked_ > announced_ || offset + la_int64_t(size) > entrySize) {
                error =
                    QStringLiteral("The update is damaged: %1 is larger than announced.").arg(path);
                break;
            }
            if (::pwrite(fd, block, size, off_t(offset)) != ssize_t(size)) {
                error = errno == ENOSPC || errno == EDQUOT
                            ? notEnoughSpace(announced_)
                            : QStringLiteral("The update could not write %1.").arg(path);
                break;
            }
        }
        if (::fchmod(fd, mode) != 0 && error.isEmpty())
            error = QStringLiteral("The update could not write %1.").arg(path);
        ::close(fd);
        return error;
    }

    QString link(archive_entry* entry, const QString& path, const QString& full) {
        const QString target =
            QString::fromUtf8(archive_entry_symlink_utf8(entry) ? archive_entry_symlink_utf8(entry)
                                                                : archive_entry_symlink(entry));
        const QString folder = QFileInfo(path).path();
        const QString resolved =
            QDir::cleanPath(folder == u"." ? target : folder + QLatin1Char('/') + target);
        const bool escapes = target.isEmpty() || QDir::isAbsolutePath(target) ||
                             resolved == u".." || resolved.startsWith(QStringLiteral("../"));
        // A target reached through another link could leave the folder even
        // when its text stays inside; so could a link placed on a later
        // target's way.
        bool throughLink = false;
        for (const QString& link : links_)
            throughLink = throughLink || isUnder(resolved, link);
        for (const QString& earlier : targets_)
            throughLink = throughLink || isUnder(earlier, path);
        if (escapes || throughLink)
            return QStringLiteral("The update contains a link leading outside (%1).").arg(path);
        if (!QDir().mkpath(QFileInfo(full).path()) ||
            ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(full).constData()) !=
                0)
            return QStringLiteral("The update could not create %1.").arg(path);
        links_.insert(path);
        targets_ << resolved;
        return {};
    }

    QString root_;
    QSet<QString> links_;
    QStringList targets_;
    qint64 announced_;
    qint64 unpacked_ = 0;
};

struct Opened {
    std::unique_ptr<archive, ArchiveFree> handle;
    QString error;
};

Opened open(const QString& archivePath) {
    Opened opened{std::unique_ptr<archive, ArchiveFree>(archive_read_new()), {}};
    archive_read_support_filter_xz(opened.handle.get());
    archive_read_support_format_tar(opened.handle.get());
    if (archive_read_open_filename(opened.handle.get(), QFile::encodeName(archivePath).constData(),
                                   64 * 1024) != ARCHIVE_OK)
        opened.error = QStringLiteral("The update could not be opened: %1")
                           .arg(QString::fromUtf8(archive_error_string(opened.handle.get())));
    return opened;
}

QString damaged(archive* handle) {
    return QStringLiteral("The update is damaged: %1")
        .arg(QString::fromUtf8(archive_error_string(handle)));
}

// What the headers announce, added up without writing anything; stops as
// soon as the sum passes the limit.
QString announcedSize(const QString& archivePath, qint64* total) {
    Opened opened = open(archivePath);
    if (!opened.error.isEmpty())
        return opened.error;
    *total = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(opened.handle.get(), &entry);
        if (status == ARCHIVE_EOF)
            return {};
        if (status != ARCHIVE_OK)
            return damaged(opened.handle.get());
        if (archive_entry_filetype(entry) == AE_IFREG) {
            const la_int64_t size = archive_entry_size(entry);
            if (size < 0 || size > ArchiveExtractor::maximumUnpackedBytes - *total)
                return QStringLiteral("The update unpacks to more than 2 GB.");
            *total += size;
        }
    }
}

qint64 freeBytesOn(const QString& folder) {
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(folder).constData(), &info) != 0)
        return std::numeric_limits<qint64>::max();
    return qint64(
        std::min<unsigned long long>((unsigned long long)info.f_bavail * info.f_frsize,
                                     (unsigned long long)std::numeric_limits<qint64>::max()));
}

QString unpack(const QString& archivePath, const QString& destination, qint64 announced,
               const std::function<void(double)>& progress) {
    Opened opened = open(archivePath);
    if (!opened.error.isEmpty())
        return opened.error;
    archive* handle = opened.handle.get();
    const double size = double(std::max<qint64>(1, QFileInfo(archivePath).size()));
    Extraction extraction(destination, announced);
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(handle, &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK)
            return damaged(handle);
        const QString error = extraction.entry(handle, entry);
        if (!error.isEmpty())
            return error;
        if (progress)
            progress(std::min(1.0, double(archive_filter_bytes(handle, -1)) / size));
    }
    const QFileInfo binary(destination + QStringLiteral("/bin/vellaro"));
    if (!binary.isFile() || !binary.isExecutable())
        return QStringLiteral("The update has no bin/vellaro to start.");
    if (progress)
        progress(1.0);
    return {};
}

} // namespace

QString ArchiveExtractor::extract(const QString& archivePath, const QString& destination,
                                  const std::function<void(double)>& progress,
                                  const FreeSpace& freeSpace) {
    if (QFileInfo::exists(destination) || QFileInfo(destination).isSymLink())
        return QStringLiteral("The update could not be unpacked into %1.").arg(destination);
    qint64 announced = 0;
    if (const QString error = announcedSize(archivePath, &announced); !error.isEmpty())
        return error;
    const QString parent = QFileInfo(destination).absolutePath();
    if (announced > (freeSpace ? freeSpace(parent) : freeBytesOn(parent)))
        return notEnoughSpace(announced);
    if (!QDir().mkdir(destination))
        return QStringLiteral("The update could not be unpacked into %1.").arg(destination);
    const QString error = unpack(archivePath, destination, announced, progress);
    if (!error.isEmpty())
        QDir(destination).removeRecursively();
    return error;
}

} // namespace vellaro
