#include "platform/apps/AppCatalog.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

namespace vellaro {

namespace {

const QLatin1String desktopSuffix(".desktop");

QString withoutSuffix(QString name) {
    if (name.endsWith(desktopSuffix))
        name.chop(desktopSuffix.size());
    return name;
}

// The candidate files of an ID inside one applications folder: "a-b-c" may
// be a-b-c.desktop, a/b-c.desktop, a-b/c.desktop or a/b/c.desktop.
void candidatePaths(const QString& folder, const QString& id, QStringList& out) {
    out.append(folder + QLatin1Char('/') + id + desktopSuffix);
    for (qsizetype dash = id.indexOf(QLatin1Char('-')); dash > 0;
         dash = id.indexOf(QLatin1Char('-'), dash + 1)) {
        const QString sub = folder + QLatin1Char('/') + id.left(dash);
        if (QFileInfo(sub).isDir())
            candidatePaths(sub, id.mid(dash + 1), out);
    }
}

} // namespace

AppCatalog::Options AppCatalog::environmentOptions() {
    Options options;
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.local/share");
    options.dataDirs.append(home);
    QString system = qEnvironmentVariable("XDG_DATA_DIRS");
    if (system.isEmpty())
        system = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : system.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        options.dataDirs.append(dir);
    options.desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    options.locale = DesktopEntry::currentLocale();
    return options;
}

AppCatalog::AppCatalog(Options options) : options_(std::move(options)) {}

QStringList AppCatalog::applicationFolders() const {
    QStringList folders;
    for (const QString& dir : options_.dataDirs)
        folders.append(QDir::cleanPath(dir + QStringLiteral("/applications")));
    return folders;
}

std::vector<DesktopEntry> AppCatalog::scan() const {
    std::vector<DesktopEntry> shown;
    QSet<QString> seen;
    for (const QString& folder : applicationFolders()) {
        QDirIterator files(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                           QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (files.hasNext()) {
            const QString path = files.next();
            QString id = withoutSuffix(path.mid(folder.size() + 1));
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (seen.contains(id))
                continue;
            seen.insert(id);
            std::optional<DesktopEntry> entry = DesktopEntry::read(path, id, options_.locale);
            if (entry && isShown(*entry))
                shown.push_back(std::move(*entry));
        }
    }
    return shown;
}

std::optional<DesktopEntry> AppCatalog::find(const QString& id) const {
    if (id.isEmpty() || id.contains(QLatin1Char('/')))
        return std::nullopt;
    for (const QString& folder : applicationFolders()) {
        QStringList candidates;
        candidatePaths(folder, id, candidates);
        for (const QString& path : candidates) {
            if (!QFileInfo(path).isFile())
                continue;
            // The first file of the ID decides, masking included.
            std::optional<DesktopEntry> entry = DesktopEntry::read(path, id, options_.locale);
            if (entry && isShown(*entry))
                return entry;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<DesktopEntry> AppCatalog::readFile(const QString& path) const {
    return DesktopEntry::read(path, idForPath(path), options_.locale);
}

QString AppCatalog::idForPath(const QString& path) const {
    const QString clean = QDir::cleanPath(path);
    for (const QString& folder : applicationFolders()) {
        if (clean.startsWith(folder + QLatin1Char('/'))) {
            QString id = withoutSuffix(clean.mid(folder.size() + 1));
            return id.replace(QLatin1Char('/'), QLatin1Char('-'));
        }
    }
    return withoutSuffix(QFileInfo(clean).fileName());
}

bool AppCatalog::isShown(const DesktopEntry& entry) const {
    if (entry.type != QLatin1String("Application") || entry.hidden || entry.noDisplay)
        return false;
    if (!entry.onlyShowIn.isEmpty()) {
        bool listed = false;
        for (const QString& desktop : options_.desktops)
            listed = listed || entry.onlyShowIn.contains(desktop);
        if (!listed)
            return false;
    }
    for (const QString& desktop : options_.desktops) {
        if (entry.notShowIn.contains(desktop))
            return false;
    }
    if (!entry.tryExec.isEmpty()) {
        const bool found = entry.tryExec.startsWith(QLatin1Char('/'))
                               ? QFileInfo(entry.tryExec).isExecutable()
                               : !QStandardPaths::findExecutable(entry.tryExec).isEmpty();
        if (!found)
            return false;
    }
    return true;
}

} // namespace vellaro
