#pragma once

#include "platform/clipboard/Pasteboard.h"

#include "platform/clipboard/XcbSelectionReader.h"

#include <QThread>
#include <chrono>
#include <memory>

class QTimer;

class QMimeData;

namespace vellaro {

class XFixesSelectionWatcher;

// The X clipboard. Another program's copy is seen when XFixes reports that
// the CLIPBOARD selection changed hands (an event, nothing polls); only a
// server without XFixes is asked every few seconds who owns it and since
// when. The program's own writes count at once, through QClipboard. Content
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
    void copyToPrimary() override;

    // Whether changes are found by asking every few seconds (no XFixes).
    bool polls() const;
    static constexpr std::chrono::seconds pollInterval{2};

private:
    void clipboardChanged();
    void pollOwner();
    bool isOwnWindow(std::uint32_t window) const;
    void requestRead();
    void readFinished(PasteboardContent content);
    void write(QMimeData* data, PasteboardContent snapshot);
    static QMimeData* mimeDataOf(const PasteboardContent& content);

    std::int64_t changeCount_ = 0;
    std::optional<PasteboardContent> content_;
    bool writing_ = false;
    bool readInFlight_ = false;
    QThread thread_;
    QObject* workerContext_ = nullptr; // lives on thread_
    std::shared_ptr<XcbSelectionReader> reader_;
    std::unique_ptr<XFixesSelectionWatcher> watcher_;
    QTimer* pollTimer_ = nullptr; // only without XFixes
    XcbSelectionReader::OwnerStamp lastStamp_;
    bool pollInFlight_ = false;
    // Windows made on Qt's connection: the program's own ownership.
    std::uint32_t ownIdBase_ = 0;
    std::uint32_t ownIdMask_ = 0;
};

} // namespace vellaro
