#pragma once

#include <QString>

namespace vellaro {

// A pinned application as stored in apps.json.
struct PinnedApp {
    QString bundleID; // the desktop file ID; the identity of a pin
    QString name;     // shown on the dial
    QString path;     // the desktop file when it was pinned

    friend bool operator==(const PinnedApp&, const PinnedApp&) = default;
};

} // namespace vellaro
