#include "platform/clipboard/X11Pasteboard.h"

#include "platform/clipboard/XFixesSelectionWatcher.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QTimer>

#include <utility>
#include <xcb/xcb.h>

namespace vellaro {

namespace {

QString mimeTypeOf(const QString& imageType) {
    return imageType == QLatin1String(PasteboardContent::tiffType) ? QStringLiteral("image/tiff")
                                                                   : QStringLiteral("image/png");
}

} // namespace

X11Pasteboard::X11Pasteboard(QObject* parent)
    : Pasteboard(parent), reader_(std::make_shared<XcbSelectionReader>()),
      watcher_(std::make_unique<XFixesSelectionWatcher>()) {
    thread_.setObjectName(QStringLiteral("clipboard reader"));
    workerContext_ = new QObject;
    workerContext_->moveToThread(&thread_);
    thread_.start();
    if (auto* x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        const xcb_setup_t* setup = xcb_get_setup(x11->connection());
        ownIdBase_ = setup->resource_id_base;
        ownIdMask_ = setup->resource_id_mask;
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        connect(clipboard, &QClipboard::changed, this, [this](QClipboard::Mode mode) {
            // With XFixes other programs' copies come from the watcher alone.
            if (mode == QClipboard::Clipboard && (writing_ || !watcher_->isWatching()))
                clipboardChanged();
        });
    }
    if (watcher_->isWatching()) {
        connect(watcher_.get(), &XFixesSelectionWatcher::ownerChanged, this,
                [this](std::uint32_t owner) {
                    if (!isOwnWindow(owner))
                        clipboardChanged();
                });
    } else if (watcher_->hasDisplay()) {
        pollTimer_ = new QTimer(this);
        pollTimer_->setInterval(pollInterval);
        connect(pollTimer_, &QTimer::timeout, this, &X11Pasteboard::pollOwner);
        pollTimer_->start();
    }
    // What is there at launch: offered to paste as plain text, never recorded.
    requestRead();
}

bool X11Pasteboard::polls() const {
    return pollTimer_ && pollTimer_->isActive();
}

bool X11Pasteboard::isOwnWindow(std::uint32_t window) const {
    return window != 0 && ownIdMask_ != 0 && (window & ~ownIdMask_) == ownIdBase_;
}

void X11Pasteboard::pollOwner() {
    if (pollInFlight_)
        return;
    pollInFlight_ = true;
    QPointer<X11Pasteboard> self(this);
    QMetaObject::invokeMethod(
        workerContext_,
        [self, reader = reader_] {
            const XcbSelectionReader::OwnerStamp stamp = reader->ownerStamp();
            QMetaObject::invokeMethod(
                self.data(),
                [self, stamp] {
                    if (!self)
                        return;
                    self->pollInFlight_ = false;
                    const bool changed = std::exchange(self->lastStamp_, stamp) != stamp;
                    // The program's own write was counted when it was made.
                    if (changed && !self->isOwnWindow(stamp.owner))
                        self->clipboardChanged();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

X11Pasteboard::~X11Pasteboard() {
    thread_.quit();
    thread_.wait();
    delete workerContext_; // its thread has ended: nothing else can touch it
}

void X11Pasteboard::clipboardChanged() {
    ++changeCount_;
    if (!writing_)
        requestRead();
}

void X11Pasteboard::requestRead() {
    if (readInFlight_)
        return; // the read that ends next starts another for the newest change
    readInFlight_ = true;
    QPointer<X11Pasteboard> self(this);
    const std::int64_t count = changeCount_;
    QMetaObject::invokeMethod(
        workerContext_,
        [self, reader = reader_, count] {
            auto content = std::make_shared<PasteboardContent>(reader->read(count));
            QMetaObject::invokeMethod(
                self.data(),
                [self, content] {
                    if (self)
                        self->readFinished(std::move(*content));
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void X11Pasteboard::readFinished(PasteboardContent content) {
    readInFlight_ = false;
    if (content.changeCount != changeCount_) {
        // The clipboard changed again meanwhile: only the newest content counts.
        if (!content_ || content_->changeCount != changeCount_)
            requestRead();
        return;
    }
    content_ = std::move(content);
    Q_EMIT contentRead(changeCount_);
}

void X11Pasteboard::write(QMimeData* data, PasteboardContent snapshot) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        delete data;
        return;
    }
    snapshot.types = data->formats();
    const std::int64_t before = changeCount_;
    writing_ = true;
    clipboard->setMimeData(data, QClipboard::Clipboard);
    writing_ = false;
    // Qt reports its own write at once; never let a write go uncounted.
    if (changeCount_ == before)
        ++changeCount_;
    snapshot.changeCount = changeCount_;
    content_ = std::move(snapshot);
}

QMimeData* X11Pasteboard::mimeDataOf(const PasteboardContent& content) {
    auto* data = new QMimeData;
    if (!content.files.isEmpty()) {
        data->setUrls(content.files);
        QByteArray nautilus("copy");
        for (const QUrl& file : content.files)
            nautilus += '\n' + file.toEncoded();
        data->setData(QStringLiteral("x-special/gnome-copied-files"), nautilus);
    } else if (content.text) {
        data->setText(content.text->text());
    } else if (content.imageData) {
        data->setData(mimeTypeOf(content.imageType), *content.imageData);
    }
    return data;
}

void X11Pasteboard::writeText(const QString& text) {
    PasteboardContent snapshot;
    snapshot.text = CopiedText(text);
    QMimeData* data = mimeDataOf(snapshot);
    write(data, std::move(snapshot));
}

void X11Pasteboard::writeFiles(const QList<QUrl>& files) {
    PasteboardContent snapshot;
    snapshot.files = files;
    QMimeData* data = mimeDataOf(snapshot);
    write(data, std::move(snapshot));
}

void X11Pasteboard::writeImage(const QByteArray& bytes, const QString& imageType) {
    PasteboardContent snapshot;
    snapshot.imageData = bytes;
    snapshot.imageType = imageType;
    QMimeData* data = mimeDataOf(snapshot);
    write(data, std::move(snapshot));
}

void X11Pasteboard::copyToPrimary() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard && content_ && clipboard->supportsSelection())
        clipboard->setMimeData(mimeDataOf(*content_), QClipboard::Selection);
}

} // namespace vellaro
