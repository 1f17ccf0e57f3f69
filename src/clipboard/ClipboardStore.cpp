#include "clipboard/ClipboardStore.h"

#include "clipboard/Logging.h"
#include "clipboard/SealedHistoryFile.h"
#include "platform/secrets/PinnedSecretStore.h"
#include "platform/session/UserFolders.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPointer>
#include <QStandardPaths>

namespace vellaro {

ClipboardStore::ClipboardStore(const QString& folder, std::unique_ptr<SecretStore> secrets,
                               const QString& lockPath, Scheduler& scheduler, QObject* parent)
    : QObject(parent), secrets_(std::move(secrets)),
      // Without a data folder there is nowhere to keep the history.
      file_(std::make_shared<SealedHistoryFile>(
          folder.isEmpty() ? QString() : folder + QStringLiteral("/clipboard.sealed"), *secrets_,
          lockPath)),
      scheduler_(scheduler), worker_(std::make_unique<QThreadPool>()),
      generation_(std::make_shared<std::atomic<std::uint64_t>>(0)) {
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    worker_->setMaxThreadCount(1);
    worker_->setExpiryTimeout(-1);
    if (auto* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, [this] { flushForQuit(); });
}

ClipboardStore::~ClipboardStore() {
    if (saveTask_)
        scheduler_.cancel(*saveTask_);
    // A call that never returns must not hold the quit: its thread is left
    // to the end of the process (the work holds only what it shares).
    if (!worker_->waitForDone(int(std::chrono::milliseconds(quitBound).count()))) {
        qCWarning(lcClipboardStore) << "Clipboard history worker still busy; not waiting for it";
        (void)worker_.release();
    }
}

std::unique_ptr<ClipboardStore> ClipboardStore::makeDefault(Scheduler& scheduler) {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString lockPath =
        runtime.isEmpty() ? QString() : runtime + QStringLiteral("/vellaro-clipboard-key.lock");
    return std::make_unique<ClipboardStore>(dataFolder(), PinnedSecretStore::clipboardHistoryKey(),
                                            lockPath, scheduler);
}

QString ClipboardStore::filePath() const {
    return file_->filePath();
}

void ClipboardStore::load(LoadHandler handler) {
    loadHandler_ = std::move(handler);
    startLoad();
}

void ClipboardStore::startLoad() {
    if (loadState_ == LoadState::loading)
        return;
    loadState_ = LoadState::loading;
    const std::uint64_t generation = *generation_;
    QPointer<ClipboardStore> self(this);
    worker_->start([self, file = file_, secrets = secrets_, generation] {
        auto result = std::make_shared<SealedHistoryFile::LoadResult>(file->load());
        QMetaObject::invokeMethod(
            self.data(),
            [self, result, generation] {
                if (!self || generation != *self->generation_)
                    return; // cleared meanwhile: the loaded history is gone
                if (result->status == SealedHistoryFile::LoadStatus::keyUnavailable) {
                    self->loadState_ = LoadState::keyUnavailable;
                    return;
                }
                self->loadState_ = LoadState::loaded;
                // A save still waiting holds a list made without the history.
                const bool held =
                    std::exchange(self->savesHeld_, false) || self->pending_.has_value();
                if (self->loadHandler_)
                    self->loadHandler_(std::move(result->records), held);
                // A handler that did not save the merged list: write what was held.
                if (held && !self->saveTask_)
                    self->writePending();
            },
            Qt::QueuedConnection);
    });
}

void ClipboardStore::save(std::vector<StoredEntry> records) {
    pending_ = std::move(records);
    if (saveTask_)
        scheduler_.cancel(*saveTask_);
    saveTask_ = scheduler_.schedule(saveDelay, [this] {
        saveTask_.reset();
        writePending();
    });
}

void ClipboardStore::writePending() {
    if (!pending_)
        return;
    switch (loadState_) {
    case LoadState::idle:
    case LoadState::loading:
        savesHeld_ = true;
        return;
    case LoadState::keyUnavailable:
        // The history on disk is still unread: ask for the key again, and
        // write once it has been read and merged.
        savesHeld_ = true;
        startLoad();
        return;
    case LoadState::loaded:
        break;
    }
    enqueueWrite(std::move(*pending_));
    pending_.reset();
}

void ClipboardStore::enqueueWrite(std::vector<StoredEntry> records) {
    const std::uint64_t generation = *generation_;
    QPointer<ClipboardStore> self(this);
    auto list = std::make_shared<std::vector<StoredEntry>>(std::move(records));
    worker_->start(
        [self, file = file_, secrets = secrets_, generations = generation_, generation, list] {
            if (generation != *generations)
                return;
            if (file->write(*list) != SealedHistoryFile::WriteStatus::keyUnavailable)
                return;
            // Keep the list for the next attempt unless a newer one is waiting.
            QMetaObject::invokeMethod(
                self.data(),
                [self, generation, list] {
                    if (self && generation == *self->generation_ && !self->pending_)
                        self->pending_ = std::move(*list);
                },
                Qt::QueuedConnection);
        });
}

void ClipboardStore::clear() {
    ++*generation_;
    if (saveTask_)
        scheduler_.cancel(*saveTask_);
    saveTask_.reset();
    pending_.reset();
    savesHeld_ = false;
    // Whatever was stored is gone now: nothing is left to load and merge.
    loadState_ = LoadState::loaded;
    worker_->start([file = file_, secrets = secrets_] { file->clear(); });
}

void ClipboardStore::cancelWait() {
    if (saveTask_) {
        scheduler_.cancel(*saveTask_);
        saveTask_.reset();
    }
}

void ClipboardStore::flushForQuit(std::chrono::milliseconds bound) {
    const QDeadlineTimer deadline(bound);
    cancelWait();
    // A history not read yet is read and merged first: a write before that
    // would replace it with the copies made since the start.
    if (pending_ && loadState_ == LoadState::keyUnavailable) {
        savesHeld_ = true;
        startLoad();
    }
    if (loadState_ == LoadState::loading) {
        worker_->waitForDone(int(deadline.remainingTime()));
        // Its result waits in the event queue, which does not run again.
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        cancelWait();
    }
    // Also a list whose write found no key: this is its last chance.
    if (loadState_ == LoadState::loaded)
        writePending();
    if (!worker_->waitForDone(int(deadline.remainingTime())))
        qCWarning(lcClipboardStore) << "Clipboard history still being written at quit";
}

bool ClipboardStore::waitForWorker(std::chrono::milliseconds bound) {
    return worker_->waitForDone(int(bound.count()));
}

} // namespace vellaro
