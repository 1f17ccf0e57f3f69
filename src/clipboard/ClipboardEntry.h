#pragma once

#include "clipboard/ClipboardKind.h"
#include "clipboard/StoredEntry.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <optional>

namespace vellaro {

// One clipboard history entry with what the dial and the history window
// show of it.
struct ClipboardEntry {
    ClipboardKind kind;
    QString title;
    std::optional<QString> sourceApp;
    QString symbolName;
    QImage fileIcon; // null: show the symbol
    QDateTime copiedAt;
    // A text's first characters, shown as its preview; empty for other kinds.
    QString preview;

    // What was derived from the payload off the main thread, where it was
    // read: a text's bounded title and preview, an image's thumbnail.
    struct Derived {
        std::optional<QString> title;
        std::optional<QString> preview;
        QImage thumbnail;
    };

    // Title, symbol, icon and preview follow from the kind, taken from
    // `derived` where it has them. Main thread (file icons come from the
    // icon theme).
    static ClipboardEntry make(ClipboardKind kind, std::optional<QString> sourceApp,
                               QDateTime copiedAt, Derived derived = {});
    // None when the record lacks what its kind needs.
    static std::optional<ClipboardEntry> fromStored(const StoredEntry& record);
    StoredEntry toStored() const;

    // "just now", "2 min ago", "5 h ago", "3 d ago".
    QString relativeTime(const QDateTime& now) const;
};

} // namespace vellaro
