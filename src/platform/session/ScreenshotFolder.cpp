#include "platform/session/ScreenshotFolder.h"

#include "platform/session/GSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace vellaro {

namespace {

// The folder a setting names, when it is an absolute local one.
QString folderFromSetting(const QString& value) {
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (trimmed.startsWith(QLatin1String("file:")))
        return QUrl(trimmed).toLocalFile();
    if (trimmed == QLatin1String("~"))
        return QDir::homePath();
    if (trimmed.startsWith(QLatin1String("~/")))
        return QDir::homePath() + trimmed.mid(1);
    // Another URI scheme (a network location) or a relative path: not ours.
    return QDir::isAbsolutePath(trimmed) ? trimmed : QString();
}

bool isFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

std::optional<QString> configuredScreenshotFolder() {
    const auto setting = GSettings::string(QStringLiteral("org.gnome.gnome-screenshot"),
                                           QStringLiteral("auto-save-directory"));
    if (setting) {
        const QString folder = folderFromSetting(*setting);
        if (isFolder(folder))
            return QDir::cleanPath(folder);
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty()) {
        const QString screenshots = pictures + QStringLiteral("/Screenshots");
        if (isFolder(screenshots))
            return screenshots;
    }
    return std::nullopt;
}

QString screenshotFolder() {
    if (auto configured = configuredScreenshotFolder())
        return *configured;
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (isFolder(desktop))
        return desktop;
    return QDir::homePath();
}

} // namespace vellaro
