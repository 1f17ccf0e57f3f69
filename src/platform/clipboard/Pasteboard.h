#pragma once

#include "platform/clipboard/PasteboardContent.h"

#include <QList>
#include <QObject>
#include <QUrl>
#include <cstdint>
#include <optional>

namespace vellaro {

// The desktop clipboard (CLIPBOARD selection; PRIMARY is not watched). Its
// change count moves on every change, including the program's own writes.
// Content is read off the main thread; the main thread only ever sees the
// snapshot of the latest read. Main thread.
class Pasteboard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual std::int64_t changeCount() const = 0;
    // The latest content read, which may belong to an older change while a
    // read is under way; none before the first read.
    virtual const std::optional<PasteboardContent>& content() const = 0;

    // Each write replaces the clipboard's content and moves the count; the
    // written content becomes the snapshot at once.
    virtual void writeText(const QString& text) = 0;
    virtual void writeFiles(const QList<QUrl>& files) = 0;
    virtual void writeImage(const QByteArray& data, const QString& imageType) = 0;
    // Offers the clipboard's content as the primary selection too, for a
    // window that pastes only that one. The clipboard's count does not move.
    virtual void copyToPrimary() = 0;

Q_SIGNALS:
    // The content of change `changeCount` has been read.
    void contentRead(std::int64_t changeCount);
};

} // namespace vellaro
