#pragma once

#include "platform/files/RecentFile.h"
#include "platform/time/Scheduler.h"

#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <functional>
#include <optional>
#include <vector>

namespace vellaro {

// The desktop's recently used files, from recently-used.xbel, kept current
// by watching the file and its folder. Reading and the caller's selection
// run on a worker thread; the main thread only receives the result. Bursts
// of changes are read once, 200 ms after the first. A file that does not
// parse keeps the last good list.
class RecentFiles {
public:
    // Runs on a worker with every recent file, newest first; may stat and
    // filter. It must not touch main-thread state.
    using Selection = std::function<std::vector<RecentFile>(std::vector<RecentFile>)>;
    // Runs on the main thread after every successful read.
    using Listener = std::function<void(const std::vector<RecentFile>&)>;

    RecentFiles(QString xbelPath, Scheduler& scheduler, Selection select, Listener listener);
    ~RecentFiles();
    RecentFiles(const RecentFiles&) = delete;
    RecentFiles& operator=(const RecentFiles&) = delete;

    // $XDG_DATA_HOME/recently-used.xbel.
    static QString defaultPath();

    // The selection of the last successful read; empty before the first.
    const std::vector<RecentFile>& files() const { return files_; }
    // Whether a read is scheduled or running.
    bool isReading() const { return readTask_ != 0 || reading_; }

private:
    using Result = std::optional<std::vector<RecentFile>>;

    // Watches the folder and, when it exists, the file; true when the file
    // came back into the watch or went away, which calls for a read.
    bool watch();
    void scheduleRead();
    void startRead();
    void readFinished();

    QString path_;
    Scheduler& scheduler_;
    Selection select_;
    Listener listener_;
    QFileSystemWatcher watcher_;
    QFutureWatcher<Result> read_;
    Scheduler::TaskId readTask_ = 0;
    bool reading_ = false;
    bool readAgain_ = false;
    bool failureLogged_ = false;
    std::vector<RecentFile> files_;
};

} // namespace vellaro
