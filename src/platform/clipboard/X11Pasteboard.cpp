#include "platform/clipboard/X11Pasteboard.h"

#include "platform/clipboard/XcbSelectionReader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>

namespace vellaro {

namespace {

QString mimeTypeOf(const QString& imageType) {
    return imageType == QLatin1String(PasteboardContent::tiffType) ? QStringLiteral("image/tiff")
                                                                   : QStringLiteral("image/png");
}

} // namespace

X11Pasteboard::X11Pasteboard(QObject* parent)
    : Pasteboard(parent), reader_(std::make_shared<XcbSelectionReader>()) {
    thread_.setObjectName(QStringLiteral("clipboard reader"));
    workerContext_ = new QObject;
    workerContext_->moveToThread(&thread_);
    thread_.start();
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        connect(clipboard, &QClipboard::changed, this, [this](QClipboard::Mode mode) {
            if (mode == QClipboard::Clipboard)
                clipboardChanged();
        });
    }
    // What is there at launch: offered to paste as plain text, never recorded.
    requestRead();
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

void X11Pasteboard::writeText(const QString& text) {
    auto* data = new QMimeData;
    data->setText(text);
    PasteboardContent snapshot;
    snapshot.text = text;
    write(data, std::move(snapshot));
}

void X11Pasteboard::writeFiles(const QList<QUrl>& files) {
    auto* data = new QMimeData;
    data->setUrls(files);
    QByteArray nautilus("copy");
    for (const QUrl& file : files)
        nautilus += '\n' + file.toEncoded();
    data->setData(QStringLiteral("x-special/gnome-copied-files"), nautilus);
    PasteboardContent snapshot;
    snapshot.files = files;
    write(data, std::move(snapshot));
}

void X11Pasteboard::writeImage(const QByteArray& bytes, const QString& imageType) {
    auto* data = new QMimeData;
    data->setData(mimeTypeOf(imageType), bytes);
    PasteboardContent snapshot;
    snapshot.imageData = bytes;
    snapshot.imageType = imageType;
    write(data, std::move(snapshot));
}

} // namespace vellaro
