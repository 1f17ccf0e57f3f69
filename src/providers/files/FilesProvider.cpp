#include "providers/files/FilesProvider.h"

#include "model/MenuDataSource.h"
#include "model/SymbolCatalog.h"
#include "platform/session/Desktop.h"
#include "platform/session/ScreenshotFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
#include <QStandardPaths>

namespace vellaro {

namespace {

// The same folder, whichever way it is written; empty when it is missing.
QString canonicalFolder(const QString& path) {
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    return info.isDir() ? info.canonicalFilePath() : QString();
}

} // namespace

FilesProvider::Folders FilesProvider::Folders::current() {
    return {QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
            QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), QDir::homePath(),
            configuredScreenshotFolder()};
}

FilesProvider::FilesProvider(Desktop& desktop, Scheduler& scheduler, QString xbelPath,
                             FolderSource folders)
    : desktop_(desktop), folders_(std::move(folders)) {
    recent_ = std::make_unique<RecentFiles>(
        std::move(xbelPath), scheduler, &FilesProvider::pickRecentFiles,
        [this](const std::vector<RecentFile>& picked) { recentFilesRead(picked); });
}

std::vector<RecentFile> FilesProvider::pickRecentFiles(std::vector<RecentFile> newestFirst) {
    std::vector<RecentFile> picked;
    QSet<QString> accepted;
    QMimeDatabase mimeTypes;
    for (RecentFile& file : newestFirst) {
        if (picked.size() == entryLimit)
            break;
        const QString& path = file.path;
        // Cheap string tests first; application data lives in dot folders.
        if (path.contains(QLatin1String("/.")) || path.endsWith(QLatin1String(".desktop")) ||
            accepted.contains(path))
            continue;
        const QFileInfo info(path);
        if (!info.isFile())
            continue;
        accepted.insert(path);
        if (file.mimeType.isEmpty())
            file.mimeType = mimeTypes.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
        picked.push_back(std::move(file));
    }
    return picked;
}

void FilesProvider::recentFilesRead(const std::vector<RecentFile>& picked) {
    const bool same = std::equal(picked.begin(), picked.end(), entries_.begin(), entries_.end(),
                                 [](const RecentFile& file, const Entry& entry) {
                                     return entry.url.toLocalFile() == file.path;
                                 });
    if (same)
        return;
    std::vector<Entry> entries;
    for (const RecentFile& file : picked) {
        const QFileInfo info(file.path);
        entries.push_back({QUrl::fromLocalFile(file.path), info.fileName(),
                           QFileInfo(info.path()).fileName(), fileIcon(file.mimeType)});
    }
    entries_ = std::move(entries);
    changed();
}

QImage FilesProvider::themeIcon(const QString& iconName) {
    auto found = icons_.constFind(iconName);
    if (found != icons_.constEnd())
        return *found;
    const QImage image = SymbolCatalog::themeImage(iconName, iconPixels);
    icons_.insert(iconName, image);
    return image;
}

QImage FilesProvider::fileIcon(const QString& mimeType) {
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType);
    for (const QString& name :
         {type.iconName(), type.genericIconName(), QStringLiteral("text-x-generic")}) {
        const QImage image = themeIcon(name);
        if (!image.isNull())
            return image;
    }
    return {};
}

std::vector<FilesProvider::Folder> FilesProvider::folders() const {
    const Folders where = folders_();
    std::vector<Folder> listed;
    QSet<QString> seen;
    auto add = [&](const QString& path, const char* iconName) {
        const QString canonical = canonicalFolder(path);
        if (canonical.isEmpty() || seen.contains(canonical))
            return;
        seen.insert(canonical);
        listed.push_back({path, QLatin1String(iconName)});
    };
    add(where.downloads, "folder-download");
    // A desktop that is the home folder is no desktop.
    if (canonicalFolder(where.desktop) != canonicalFolder(where.home))
        add(where.desktop, "user-desktop");
    if (where.screenshots)
        add(*where.screenshots, "folder-pictures");
    return listed;
}

std::vector<MenuItem> FilesProvider::items() {
    std::vector<MenuItem> items;
    for (const Folder& folder : folders())
        items.push_back(folderItem(folder));
    for (std::size_t i = 0; i < entries_.size() && i < filesShown; ++i)
        items.push_back(fileItem(entries_[i]));
    return items;
}

MenuItem FilesProvider::folderItem(const Folder& folder) {
    MenuItem item(QFileInfo(folder.path).fileName(),
                  MenuItem::Icon::image(themeIcon(folder.iconName)));
    Desktop& desktop = desktop_;
    const QUrl url = QUrl::fromLocalFile(folder.path);
    item.action = [&desktop, url] { desktop.open(url); };
    return item;
}

MenuItem FilesProvider::fileItem(const Entry& entry) {
    MenuItem item(entry.name, MenuItem::Icon::image(entry.icon));
    item.sublabel = entry.parentName;
    Desktop& desktop = desktop_;
    const QUrl url = entry.url;
    item.action = [&desktop, url] { desktop.open(url); };
    item.menuActions = {MenuAction(QStringLiteral("Open"), [&desktop, url] { desktop.open(url); }),
                        MenuAction(QStringLiteral("Reveal in Files"),
                                   [&desktop, url] { desktop.reveal(url.toLocalFile()); })};
    return item;
}

FilesProvider* filesProvider(MenuDataSource& dataSource) {
    return dynamic_cast<FilesProvider*>(&dataSource.provider(SectionKind::files));
}

} // namespace vellaro
