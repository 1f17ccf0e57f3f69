#include "platform/files/RecentFiles.h"

#include "platform/files/RecentlyUsedXbel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>
#include <chrono>

namespace vellaro {

namespace {

Q_LOGGING_CATEGORY(filesLog, "vellaro.files")

using namespace std::chrono_literals;

constexpr Scheduler::Duration quietPeriod = 200ms;
// Far above any real history; a larger file is not read.
constexpr qint64 largestFile = 64 * 1024 * 1024;

std::optional<std::vector<RecentFile>> readFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return std::vector<RecentFile>{};
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > largestFile || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return readRecentlyUsedXbel(file.readAll());
}

} // namespace

RecentFiles::RecentFiles(QString xbelPath, Scheduler& scheduler, Selection select,
                         Listener listener)
    : path_(std::move(xbelPath)), scheduler_(scheduler), select_(std::move(select)),
      listener_(std::move(listener)) {
    QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, &watcher_, [this] {
        watch();
        scheduleRead();
    });
    QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, &watcher_, [this] {
        if (watch())
            scheduleRead();
    });
    QObject::connect(&read_, &QFutureWatcher<Result>::finished, &read_, [this] { readFinished(); });
    watch();
    startRead();
}

RecentFiles::~RecentFiles() {
    if (readTask_)
        scheduler_.cancel(readTask_);
}

QString RecentFiles::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/recently-used.xbel");
}

bool RecentFiles::watch() {
    // An atomic replace renames a new file over the watched one, which drops
    // the watch; the folder's change tells when the file is back.
    const QString folder = QFileInfo(path_).absolutePath();
    if (!watcher_.directories().contains(folder) && QFileInfo(folder).isDir())
        watcher_.addPath(folder);
    const bool exists = QFileInfo::exists(path_);
    if (exists && !watcher_.files().contains(path_)) {
        watcher_.addPath(path_);
        return true;
    }
    return !exists && !files_.empty();
}

void RecentFiles::scheduleRead() {
    if (readTask_)
        return;
    readTask_ = scheduler_.schedule(quietPeriod, [this] {
        readTask_ = 0;
        startRead();
    });
}

void RecentFiles::startRead() {
    if (reading_) {
        readAgain_ = true;
        return;
    }
    reading_ = true;
    read_.setFuture(QtConcurrent::run([path = path_, select = select_]() -> Result {
        auto files = readFile(path);
        if (files && select)
            files = select(std::move(*files));
        return files;
    }));
}

void RecentFiles::readFinished() {
    reading_ = false;
    Result result = read_.result();
    if (!result) {
        if (!failureLogged_)
            qCWarning(filesLog) << "Cannot read" << path_ << "- keeping the last recent files";
        failureLogged_ = true;
    } else {
        failureLogged_ = false;
        files_ = std::move(*result);
        if (listener_)
            listener_(files_);
    }
    if (readAgain_) {
        readAgain_ = false;
        startRead();
    }
}

} // namespace vellaro
