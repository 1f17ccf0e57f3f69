#pragma once

#include <QString>

namespace vellaro {

// An application a copy is credited to: its identity (the desktop file ID,
// matched against the exclusions) and its desktop entry's Name.
struct SourceApplication {
    QString bundleID; // empty: unknown, never excluded
    QString name;     // empty: no name to show

    bool operator==(const SourceApplication&) const = default;
};

} // namespace vellaro
