#pragma once

#include <QString>

namespace vellaro {

// An installed application as the picker and the settings list it.
struct InstalledApp {
    QString bundleID; // the desktop file ID
    QString name;     // the localised name
    QString path;     // the desktop file

    friend bool operator==(const InstalledApp&, const InstalledApp&) = default;
};

} // namespace vellaro
