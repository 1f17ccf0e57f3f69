#include "platform/session/SystemActions/TrashEmptier.h"

#include "platform/session/SystemActions/ActionsLog.h"
#include "platform/session/SystemActions/TrashFolders.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QThreadPool>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vellaro {

namespace {

constexpr int openFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Opens the folder `name` inside `parent` without following a symlink, first
// granting ourselves the rights a read-only folder lacks.
int openFolder(int parent, const char* name, mode_t mode) {
    const mode_t needed = S_IRWXU;
    if ((mode & needed) != needed)
        ::fchmodat(parent, name, (mode & 07777) | needed, 0);
    return ::openat(parent, name, openFolderFlags);
}

std::vector<std::string> entryNames(int folder) {
    std::vector<std::string> names;
    const int listing = ::dup(folder);
    if (listing < 0)
        return names;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

void removeContents(int folder, TrashEmptier::Result& result) {
    for (const std::string& name : entryNames(folder)) {
        struct stat info {};
        if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            ++result.failed;
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            const int child = openFolder(folder, name.c_str(), info.st_mode);
            if (child < 0) {
                ++result.failed;
                continue;
            }
            removeContents(child, result);
            ::close(child);
        }
        // A symlink is unlinked as itself; its target stays untouched.
        if (::unlinkat(folder, name.c_str(), S_ISDIR(info.st_mode) ? AT_REMOVEDIR : 0) == 0)
            ++result.removed;
        else
            ++result.failed;
    }
}

void emptyFolder(const QString& trash, TrashEmptier::Result& result) {
    const int root = ::open(QFile::encodeName(trash).constData(), openFolderFlags);
    if (root < 0) {
        qCWarning(lcActions, "Cannot open the trash folder %s", qUtf8Printable(trash));
        ++result.failed;
        return;
    }
    for (const char* part : {"files", "info"}) {
        struct stat info {};
        if (::fstatat(root, part, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(info.st_mode))
            continue;
        const int folder = openFolder(root, part, info.st_mode);
        if (folder < 0) {
            ++result.failed;
            continue;
        }
        removeContents(folder, result);
        ::close(folder);
    }
    if (::unlinkat(root, "directorysizes", 0) == 0)
        ++result.removed;
    else if (errno != ENOENT)
        ++result.failed;
    ::close(root);
}

} // namespace

struct TrashEmptier::Run {
    std::vector<std::function<void(Result)>> waiting;
};

TrashEmptier::TrashEmptier(Locator locate) : locate_(std::move(locate)) {}

TrashEmptier::Locator TrashEmptier::userTrash() {
    return [] {
        return TrashFolders::locate(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), ::getuid(),
            TrashFolders::mountPoints());
    };
}

TrashEmptier::Result TrashEmptier::emptyNow(const QStringList& trashFolders) {
    Result result;
    for (const QString& trash : trashFolders)
        emptyFolder(trash, result);
    return result;
}

void TrashEmptier::empty(std::function<void(Result)> done) {
    if (running_) {
        running_->waiting.push_back(std::move(done));
        return;
    }
    running_ = std::make_shared<Run>();
    running_->waiting.push_back(std::move(done));
    std::weak_ptr<Run> run = running_;
    // Finding the folders stats every mount point: a stalled one blocks.
    QThreadPool::globalInstance()->start([this, locate = locate_, run] {
        const Result result = emptyNow(locate());
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [this, result, run] {
                // The emptier was destroyed meanwhile: nobody waits any more.
                const auto finished = run.lock();
                if (!finished)
                    return;
                running_.reset();
                if (result.failed > 0)
                    qCWarning(lcActions,
                              "Empty Trash removed %lld items; %lld could not be removed",
                              static_cast<long long>(result.removed),
                              static_cast<long long>(result.failed));
                for (const auto& callback : finished->waiting) {
                    if (callback)
                        callback(result);
                }
            },
            Qt::QueuedConnection);
    });
}

} // namespace vellaro
