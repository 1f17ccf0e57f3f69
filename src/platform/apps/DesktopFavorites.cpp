#include "platform/apps/DesktopFavorites.h"

#include "platform/session/GSettings.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QUrl>

namespace vellaro {

namespace {

constexpr qint64 maxConfigSize = 4 << 20;

// The lines of one keyfile group: key -> value, first occurrence kept.
QList<std::pair<QString, QString>> groupLines(const QString& path, const QString& group) {
    QList<std::pair<QString, QString>> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxConfigSize)
        return lines;
    bool inGroup = false;
    for (const QByteArray& raw : file.read(maxConfigSize).split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = group.isEmpty() || line == QLatin1Char('[') + group + QLatin1Char(']');
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inGroup && equals > 0)
            lines.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
    }
    return lines;
}

const QStringList handlerTypes = {
    QStringLiteral("x-scheme-handler/https"), QStringLiteral("x-scheme-handler/mailto"),
    QStringLiteral("text/plain"), QStringLiteral("text/calendar"), QStringLiteral("audio/mpeg")};

const QStringList settingsPrograms = {
    QStringLiteral("org.gnome.Settings"), QStringLiteral("gnome-control-center"),
    QStringLiteral("systemsettings"), QStringLiteral("xfce-settings-manager")};

} // namespace

DesktopFavorites::Sources DesktopFavorites::environmentSources() {
    Sources sources;
    sources.gnomeFavorites = []() -> std::optional<QStringList> {
        return GSettings::strings(QStringLiteral("org.gnome.shell"),
                                  QStringLiteral("favorite-apps"));
    };
    sources.configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (sources.configHome.isEmpty())
        sources.configHome = QDir::homePath() + QStringLiteral("/.config");
    QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/etc/xdg");
    sources.configDirs = dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    sources.desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return sources;
}

DesktopFavorites::DesktopFavorites(const AppCatalog& catalog, Sources sources)
    : catalog_(catalog), sources_(std::move(sources)) {}

std::optional<DesktopEntry> DesktopFavorites::entryFor(const QString& idOrPath) const {
    if (idOrPath.startsWith(QLatin1Char('/'))) {
        std::optional<DesktopEntry> entry = catalog_.readFile(idOrPath);
        if (entry && catalog_.isShown(*entry))
            return entry;
        return std::nullopt;
    }
    QString id = idOrPath;
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    return catalog_.find(id);
}

std::vector<DesktopEntry> DesktopFavorites::favorites(int limit) const {
    std::optional<QStringList> listed =
        sources_.gnomeFavorites ? sources_.gnomeFavorites() : std::nullopt;
    if (!listed)
        listed = kdeLaunchers();
    std::vector<DesktopEntry> found;
    if (!listed)
        return found;
    QSet<QString> taken;
    for (const QString& item : *listed) {
        if (static_cast<int>(found.size()) >= limit)
            break;
        std::optional<DesktopEntry> entry = entryFor(item);
        if (!entry || taken.contains(entry->id))
            continue;
        taken.insert(entry->id);
        found.push_back(std::move(*entry));
    }
    return found;
}

// launchers=applications:org.kde.dolphin.desktop,file:///path/x.desktop,...
// in the task manager applet's configuration group.
std::optional<QStringList> DesktopFavorites::kdeLaunchers() const {
    const QString path =
        sources_.configHome + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc");
    for (const auto& [key, value] : groupLines(path, {})) {
        if (key != QLatin1String("launchers") || value.isEmpty())
            continue;
        QStringList items;
        for (const QString& launcher : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (launcher.startsWith(QLatin1String("applications:")))
                items.append(launcher.mid(13));
            else if (launcher.startsWith(QLatin1String("file:")))
                items.append(QUrl(launcher).toLocalFile());
        }
        return items;
    }
    return std::nullopt;
}

QStringList DesktopFavorites::mimeappsFiles() const {
    QStringList folders{sources_.configHome};
    folders += sources_.configDirs;
    for (const QString& dir : catalog_.options().dataDirs)
        folders.append(dir + QStringLiteral("/applications"));
    QStringList files;
    for (const QString& folder : folders) {
        for (const QString& desktop : sources_.desktops)
            files.append(folder + QLatin1Char('/') + desktop.toLower() +
                         QStringLiteral("-mimeapps.list"));
        files.append(folder + QStringLiteral("/mimeapps.list"));
    }
    return files;
}

std::vector<DesktopEntry> DesktopFavorites::defaultHandlers() const {
    QList<QList<std::pair<QString, QString>>> defaults;
    for (const QString& file : mimeappsFiles())
        defaults.append(groupLines(file, QStringLiteral("Default Applications")));

    std::vector<DesktopEntry> found;
    QSet<QString> taken;
    const auto take = [&](std::optional<DesktopEntry> entry) {
        if (!entry || taken.contains(entry->id))
            return false;
        taken.insert(entry->id);
        found.push_back(std::move(*entry));
        return true;
    };
    for (const QString& type : handlerTypes) {
        // The first installed handler named by the most important file.
        std::optional<DesktopEntry> handler;
        for (const auto& lines : defaults) {
            for (const auto& [key, value] : lines) {
                if (key != type)
                    continue;
                for (const QString& id : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                    if ((handler = entryFor(id)))
                        break;
                }
                break;
            }
            if (handler)
                break;
        }
        take(std::move(handler));
    }
    for (const QString& id : settingsPrograms) {
        if (std::optional<DesktopEntry> program = catalog_.find(id)) {
            take(std::move(program));
            break;
        }
    }
    return found;
}

} // namespace vellaro
