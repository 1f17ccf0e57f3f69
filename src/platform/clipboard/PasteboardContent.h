#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <cstdint>
#include <optional>

namespace vellaro {

// What one clipboard change offered, read once off the main thread.
struct PasteboardContent {
    // Image payloads keep these identifiers in records.
    static constexpr char pngType[] = "public.png";
    static constexpr char tiffType[] = "public.tiff";
    static constexpr std::int64_t maximumImageSize = 4194304;

    std::int64_t changeCount = 0;
    // Every target the owner offered, by name.
    QStringList types;
    // A concealed, transient or auto-generated marker (or the KDE password
    // manager hint) was offered: nothing else about the copy may be kept.
    bool concealed = false;
    // Only when every URI of the list is a file.
    QList<QUrl> files;
    std::optional<QString> text;
    // The raw bytes, never more than the maximum.
    std::optional<QByteArray> imageData;
    QString imageType;
    // The image was larger than the maximum: its transfer was stopped.
    bool imageTooLarge = false;
    // Decoded from the bytes, at most 512 pixels a side; null when they do not decode.
    QImage imageThumbnail;
};

} // namespace vellaro
