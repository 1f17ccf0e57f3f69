#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

namespace vellaro {

// Hands out screenshot file paths, "Screenshot 2024-05-01 at 14.03.22.png",
// that no file and no capture still running holds: a second capture in the
// same second gets " (2)", then " (3)"... Main thread.
class ScreenshotNames {
public:
    // A free path in `folder` for a capture taken at `time` (local time).
    QString reserve(const QString& folder, const QDateTime& time);
    // The capture for `path` ended; its file, if any, now holds the name.
    void release(const QString& path) { reserved_.remove(path); }

private:
    QSet<QString> reserved_;
};

} // namespace vellaro
