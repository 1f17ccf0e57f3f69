#pragma once

#include <QDateTime>
#include <QString>

namespace vellaro {

// A file the desktop's programs recorded as recently used.
struct RecentFile {
    QString path;     // absolute, decoded
    QString mimeType; // as recorded; may be empty
    QDateTime lastUsed;

    bool operator==(const RecentFile&) const = default;
};

} // namespace vellaro
