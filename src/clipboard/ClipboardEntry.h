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

    // Title, symbol and icon follow from the kind; `thumbnail` is the
    // decoded image of an image kind. Main thread (file icons come from the
    // icon theme).
    static ClipboardEntry make(ClipboardKind kind, std::optional<QString> sourceApp,
                               QDateTime copiedAt, QImage thumbnail = {});
    // None when the record lacks what its kind needs.
    static std::optional<ClipboardEntry> fromStored(const StoredEntry& record);
    StoredEntry toStored() const;

    // "just now", "2 min ago", "5 h ago", "3 d ago".
    QString relativeTime(const QDateTime& now) const;
};

} // namespace vellaro
