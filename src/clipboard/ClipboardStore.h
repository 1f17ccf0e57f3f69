#pragma once

#include "clipboard/StoredEntry.h"
#include "platform/time/Scheduler.h"

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

class SealedHistoryFile;
class SecretStore;

// Keeps the clipboard history across launches in `clipboard.sealed`. Saves
// wait one second for the next change; one serial worker makes every load,
// key access, write and delete in the order they were asked for. Saves wait
// until the stored history is loaded (or its key can be read), so a write
// never replaces a history nobody has read. Main thread.
class ClipboardStore final : public QObject {
    Q_OBJECT
public:
    // Records in file order; `savesWereHeld`: saves were asked for before the
    // history came in (written or still waiting), and the caller should save
    // the merged list now: the lists it saved before do not hold the history.
    using LoadHandler = std::function<void(std::vector<StoredEntry> records, bool savesWereHeld)>;

    static constexpr std::chrono::seconds saveDelay{1};
    static constexpr std::chrono::seconds quitBound{3};

    // `folder` holds clipboard.sealed; `lockPath` serialises creating the key.
    ClipboardStore(const QString& folder, std::unique_ptr<SecretStore> secrets,
                   const QString& lockPath, Scheduler& scheduler, QObject* parent = nullptr);
    // Waits (bounded) for the worker to finish what it was given.
    ~ClipboardStore() override;

    // In the data folder, the key in the desktop's secret store.
    static std::unique_ptr<ClipboardStore> makeDefault(Scheduler& scheduler);

    QString filePath() const;

    // Reads the history on the worker; `handler` runs on the main thread,
    // also when the key could be read only later.
    void load(LoadHandler handler);
    // The complete list, newest first; written one second after the last save.
    void save(std::vector<StoredEntry> records);
    // Drops the pending save and deletes the file after any write under way.
    void clear();
    // Writes a pending save at once and waits (bounded) for the worker: for
    // quitting. A history still loading is merged first, so the write holds
    // it. Also connected to the application's aboutToQuit.
    void flushForQuit(std::chrono::milliseconds bound = quitBound);
    // Waits for the worker to be idle; for tests.
    bool waitForWorker(std::chrono::milliseconds bound);

private:
    enum class LoadState { idle, loading, loaded, keyUnavailable };

    void startLoad();
    void cancelWait();
    void writePending();
    void enqueueWrite(std::vector<StoredEntry> records);

    // Shared with the work under way, which may outlive the store at quit.
    std::shared_ptr<SecretStore> secrets_;
    std::shared_ptr<SealedHistoryFile> file_;
    Scheduler& scheduler_;
    std::unique_ptr<QThreadPool> worker_;
    // Raised by each Clear; work and results from before it are dropped.
    std::shared_ptr<std::atomic<std::uint64_t>> generation_;
    LoadState loadState_ = LoadState::idle;
    LoadHandler loadHandler_;
    std::optional<std::vector<StoredEntry>> pending_;
    std::optional<Scheduler::TaskId> saveTask_;
    bool savesHeld_ = false;
};

} // namespace vellaro
