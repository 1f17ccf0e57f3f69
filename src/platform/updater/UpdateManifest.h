#pragma once

#include <QString>

namespace vellaro {

// The build number a version-folder package carries inside its signed
// bytes, so that a feed cannot offer an older signed package under a newer
// build: vellaro-update.json at the package's root, {"build": "101",
// "version": 1}. The update-package target writes it.
class UpdateManifest {
public:
    static constexpr const char* fileName = "vellaro-update.json";

    // Why the unpacked folder may not be installed as `build`; empty when its
    // manifest names exactly that build.
    static QString check(const QString& folder, const QString& build);
};

} // namespace vellaro
