#include "platform/session/UserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace vellaro {

namespace {

QString vellaroFolder(const char* xdgVariable, QStandardPaths::StandardLocation location,
                      const QString& underHome) {
    const QString xdg = qEnvironmentVariable(xdgVariable);
    const bool xdgUsable = !xdg.isEmpty() && QDir::isAbsolutePath(xdg);
    const QString home = qEnvironmentVariable("HOME");
    // Without HOME, Qt falls back to the root folder; that is not our place.
    if (!xdgUsable && !QDir::isAbsolutePath(home))
        return {};
    // A relative XDG variable is invalid and ignored, as the XDG spec says.
    const QString base = xdgUsable || xdg.isEmpty() ? QStandardPaths::writableLocation(location)
                                                    : home + QLatin1Char('/') + underHome;
    if (base.isEmpty() || QDir::isRelativePath(base))
        return {};
    return base + QStringLiteral("/Vellaro");
}

} // namespace

QString dataFolder() {
    return vellaroFolder("XDG_DATA_HOME", QStandardPaths::GenericDataLocation,
                         QStringLiteral(".local/share"));
}

QString configFolder() {
    return vellaroFolder("XDG_CONFIG_HOME", QStandardPaths::GenericConfigLocation,
                         QStringLiteral(".config"));
}

QString cacheFolder() {
    return vellaroFolder("XDG_CACHE_HOME", QStandardPaths::GenericCacheLocation,
                         QStringLiteral(".cache"));
}

} // namespace vellaro
