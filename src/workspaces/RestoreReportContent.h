#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

namespace vellaro {

// What the restore report says: "<name> — restored 5 of 7 windows" with an
// orange warning sign, or "<name> — restored 7 windows" with a green check
// mark when every window came back.
struct RestoreReportContent {
    QString text;
    bool complete = false;
    QString symbol;
    QColor tint;

    static RestoreReportContent make(const QString& name, std::int64_t restored,
                                     std::int64_t total);
};

} // namespace vellaro
