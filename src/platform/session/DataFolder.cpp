#include "platform/session/DataFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace vellaro {

QString dataFolder() {
    const QString xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    const bool xdgUsable = !xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome);
    // Without HOME, Qt falls back to the root folder; that is not our place.
    if (!xdgUsable && !QDir::isAbsolutePath(qEnvironmentVariable("HOME")))
        return {};
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG spec says.
    const QString base = xdgUsable || xdgDataHome.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                             : qEnvironmentVariable("HOME") + QStringLiteral("/.local/share");
    if (base.isEmpty() || QDir::isRelativePath(base))
        return {};
    return base + QStringLiteral("/Vellaro");
}

} // namespace vellaro
