#pragma once

#include <QRectF>
#include <QString>
#include <QUrl>
#include <optional>

namespace vellaro {

// One window of a saved workspace. The frame is in screen coordinates with
// the origin at the top-left corner of the first monitor, y downward.
struct WindowRecord {
    QString title;
    QRectF frame;
    bool isMinimized = false;
    std::optional<QUrl> documentURL;

    friend bool operator==(const WindowRecord&, const WindowRecord&) = default;
};

} // namespace vellaro
