#pragma once

#include "platform/updater/InstallLocation.h"

#include <QString>

namespace vellaro {

// Puts a staged update in place with one rename: the staged AppImage over
// the running one, or a new `current` link over the old. Afterwards only
// the new version and the running one stay under versions/.
class UpdateInstaller {
public:
    // Empty on success; on failure the install is as it was.
    static QString install(const InstallLocation& location, const QString& stagedPath,
                           const QString& build);
};

} // namespace vellaro
