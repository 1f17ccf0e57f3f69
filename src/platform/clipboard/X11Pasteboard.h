#pragma once

#include "platform/clipboard/Pasteboard.h"

#include <QThread>
#include <memory>

class QMimeData;

namespace vellaro {

class XcbSelectionReader;

// The X clipboard. The change count follows QClipboard's changes of the
// CLIPBOARD selection (synchronous for the program's own writes); content
// is never read through QClipboard on the main thread, where an owner that
// never answers would block it for seconds: a worker with its own X
// connection reads it, one read at a time, and hands the result back.
class X11Pasteboard final : public Pasteboard {
    Q_OBJECT
public:
    explicit X11Pasteboard(QObject* parent = nullptr);
    ~X11Pasteboard() override;

    std::int64_t changeCount() const override { return changeCount_; }
    const std::optional<PasteboardContent>& content() const override { return content_; }

    void writeText(const QString& text) override;
    void writeFiles(const QList<QUrl>& files) override;
    void writeImage(const QByteArray& data, const QString& imageType) override;

private:
    void clipboardChanged();
    void requestRead();
    void readFinished(PasteboardContent content);
    void write(QMimeData* data, PasteboardContent snapshot);

    std::int64_t changeCount_ = 0;
    std::optional<PasteboardContent> content_;
    bool writing_ = false;
    bool readInFlight_ = false;
    QThread thread_;
    QObject* workerContext_ = nullptr; // lives on thread_
    std::shared_ptr<XcbSelectionReader> reader_;
};

} // namespace vellaro
