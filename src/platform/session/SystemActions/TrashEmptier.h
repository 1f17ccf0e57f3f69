#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

namespace vellaro {

// Empties the user's trash folders, on a worker thread. Only what lies inside
// a trash folder is removed: symlinks are removed themselves, never followed,
// and read-only folders are made writable first. Nothing asks for confirmation.
class TrashEmptier {
public:
    struct Result {
        std::int64_t removed = 0;
        std::int64_t failed = 0;
    };
    // The trash folders to empty, looked up afresh each time, on the worker.
    using Locator = std::function<QStringList()>;

    explicit TrashEmptier(Locator locate);
    // The user's own folders: home trash and the trash of every mount.
    static Locator userTrash();

    // Starts emptying; `done` runs on the main thread afterwards. A call while
    // one is running joins it.
    void empty(std::function<void(Result)> done = {});
    bool isRunning() const { return running_ != nullptr; }

    // Removes the contents of files/ and info/ and the directorysizes file of
    // each folder. Blocks; for the worker and for tests.
    static Result emptyNow(const QStringList& trashFolders);

private:
    struct Run;
    Locator locate_;
    std::shared_ptr<Run> running_;
};

} // namespace vellaro
