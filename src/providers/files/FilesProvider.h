#pragma once

#include "model/SectionProvider.h"
#include "platform/files/RecentFiles.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

class Desktop;
class MenuDataSource;
class Scheduler;

// The files section: the Downloads and Desktop folders, the screenshot
// folder when it is another one, and the four most recently used files.
// It follows the desktop's recent-files list on its own; the dial's opening
// does not refresh it. Main thread only.
class FilesProvider final : public SectionProvider {
public:
    // One recent file as the fan shows it.
    struct Entry {
        QUrl url;
        QString name;       // the file's name
        QString parentName; // the plain name of its folder
        QImage icon;
    };

    // Where the user's folders are; read at every items() call.
    struct Folders {
        QString downloads;
        QString desktop;
        QString home;
        std::optional<QString> screenshots;

        static Folders current();
    };
    using FolderSource = std::function<Folders()>;

    static constexpr std::size_t entryLimit = 8;
    static constexpr std::size_t filesShown = 4;
    // Icons are drawn at up to 26 pt on a 2x screen.
    static constexpr int iconPixels = 64;

    FilesProvider(Desktop& desktop, Scheduler& scheduler,
                  QString xbelPath = RecentFiles::defaultPath(),
                  FolderSource folders = &Folders::current);

    std::vector<MenuItem> items() override;

    const std::vector<Entry>& entries() const { return entries_; }
    // Whether the recent-files history is being (or about to be) read.
    bool isReadingHistory() const { return recent_->isReading(); }
    // A folder the fan shows, with its theme icon's name.
    struct Folder {
        QString path;
        QString iconName;
    };
    // The folders the fan shows, in order: those that exist, each once.
    std::vector<Folder> folders() const;

    // The recent files worth showing, newest first, at most 8: no hidden
    // component, no desktop entry, no duplicate, only existing regular
    // files. Runs on the reading worker, so a stalled mount never stalls
    // the dial.
    static std::vector<RecentFile> pickRecentFiles(std::vector<RecentFile> newestFirst);

private:
    void recentFilesRead(const std::vector<RecentFile>& picked);
    QImage fileIcon(const QString& mimeType);
    QImage themeIcon(const QString& iconName);
    MenuItem folderItem(const Folder& folder);
    MenuItem fileItem(const Entry& entry);

    Desktop& desktop_;
    FolderSource folders_;
    std::vector<Entry> entries_;
    QHash<QString, QImage> icons_;
    // Last: its reads call back into the members above.
    std::unique_ptr<RecentFiles> recent_;
};

// The data source's files provider, or null when another kind is installed.
FilesProvider* filesProvider(MenuDataSource& dataSource);

} // namespace vellaro
