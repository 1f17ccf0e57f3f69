#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace vellaro {

// One clipboard history record as sealed on disk. The list is coded as
// compact JSON: absent optionals are left out, unknown keys are ignored.
struct StoredEntry {
    enum class Kind { text, url, files, image };

    Kind kind = Kind::text;
    std::optional<QString> text;      // text and url
    std::optional<QStringList> paths; // files
    std::optional<QByteArray> imageData;
    std::optional<QString> imageType; // "public.png" or "public.tiff"
    QString title;
    std::optional<QString> sourceApp;
    double copiedAt = 0; // seconds since 2001-01-01T00:00:00Z

    // Not stored: derived where the record was read, off the main thread
    // (the image decoded, the text's first characters).
    QImage thumbnail;
    QString preview;

    // Receives the coded list piece by piece, in order.
    using Sink = std::function<void(const char* data, qsizetype size)>;

    static QByteArray encodeList(const std::vector<StoredEntry>& entries);
    // The same document in pieces of a few hundred KiB, so a history of
    // large images is never whole in memory a second time.
    static void encodeList(const std::vector<StoredEntry>& entries, const Sink& sink);
    // None when the document is not a list of well-formed records: one bad
    // record makes the whole file unreadable.
    static std::optional<std::vector<StoredEntry>> decodeList(const QByteArray& json);

    static double secondsSinceReference(const QDateTime& date);
    static QDateTime dateFromReference(double seconds);
};

} // namespace vellaro
