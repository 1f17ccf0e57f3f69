#pragma once

#include <QJsonObject>
#include <QRectF>
#include <QString>
#include <optional>

namespace vellaro {

// A window as the matcher sees it: whose it is, its title as read, and its
// frame. Captured and live frames must use the same coordinate system.
struct CapturedWindow {
    QString bundleID;
    QString title;
    QRectF frame;

    friend bool operator==(const CapturedWindow&, const CapturedWindow&) = default;

    // {"bundleID", "title", "frame": [[x, y], [w, h]]}.
    QJsonObject toJson() const;
    // Absent when a key is missing or has the wrong type.
    static std::optional<CapturedWindow> fromJson(const QJsonValue& value);
};

} // namespace vellaro
