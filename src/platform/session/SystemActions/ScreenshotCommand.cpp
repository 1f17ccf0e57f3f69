#include "platform/session/SystemActions/ScreenshotCommand.h"

namespace vellaro::ScreenshotCommand {

namespace {

const QString gnome = QStringLiteral("gnome-screenshot");
const QString spectacle = QStringLiteral("spectacle");
const QString xfce = QStringLiteral("xfce4-screenshooter");
const QString scrot = QStringLiteral("scrot");

} // namespace

QStringList knownTools() {
    return {gnome, spectacle, xfce, scrot};
}

QString desktopTool(const QString& currentDesktop) {
    for (const QString& desktop : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString name = desktop.trimmed().toUpper();
        if (name == QLatin1String("GNOME") || name == QLatin1String("UNITY") ||
            name == QLatin1String("BUDGIE") || name == QLatin1String("CINNAMON"))
            return gnome;
        if (name == QLatin1String("KDE"))
            return spectacle;
        if (name == QLatin1String("XFCE"))
            return xfce;
    }
    return {};
}

bool copiesToClipboard(const QString& tool) {
    return tool != scrot;
}

std::optional<QStringList> arguments(const QString& tool, ScreenshotArea area,
                                     const QString& path) {
    const bool window = area == ScreenshotArea::window;
    const bool clipboard = path.isEmpty();
    if (tool == gnome) {
        QStringList args{window ? QStringLiteral("-w") : QStringLiteral("-a")};
        if (clipboard)
            return args << QStringLiteral("-c");
        return args << QStringLiteral("-f") << path;
    }
    if (tool == spectacle) {
        QStringList args{QStringLiteral("-b"), QStringLiteral("-n"),
                         window ? QStringLiteral("-u") : QStringLiteral("-r")};
        if (clipboard)
            return args << QStringLiteral("-c");
        return args << QStringLiteral("-o") << path;
    }
    if (tool == xfce) {
        QStringList args{window ? QStringLiteral("-w") : QStringLiteral("-r")};
        if (clipboard)
            return args << QStringLiteral("-c");
        return args << QStringLiteral("-s") << path;
    }
    if (tool == scrot) {
        // A click picks a window, a drag an area; the file comes last. The
        // clipboard goes through a file too.
        if (clipboard)
            return std::nullopt;
        return QStringList{QStringLiteral("-s"), path};
    }
    return std::nullopt;
}

} // namespace vellaro::ScreenshotCommand
