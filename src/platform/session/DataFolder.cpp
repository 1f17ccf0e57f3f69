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
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty() || QDir::isRelativePath(base))
        return {};
    return base + QStringLiteral("/Vellaro");
}

} // namespace vellaro
