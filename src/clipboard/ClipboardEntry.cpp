#include "clipboard/ClipboardEntry.h"

#include "model/SymbolCatalog.h"
#include "platform/clipboard/CopiedText.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace vellaro {

namespace {

constexpr int fileIconSize = 64;

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

QImage iconOfFile(const QUrl& file) {
    // Also sets up the icon theme's folders the first time.
    const QIcon fallback = SymbolCatalog::icon(QStringLiteral("doc"));
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file.toLocalFile());
    const QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    const QIcon& chosen = icon.isNull() ? fallback : icon;
    return chosen.pixmap(QSize(fileIconSize, fileIconSize), 1.0).toImage();
}

} // namespace

ClipboardEntry ClipboardEntry::make(ClipboardKind kind, std::optional<QString> sourceApp,
                                    QDateTime copiedAt, Derived derived) {
    ClipboardEntry entry;
    auto describeText = [&](const QString& text) {
        entry.title = derived.title ? std::move(*derived.title) : CopiedText::titleOf(text);
        entry.preview = derived.preview
                            ? std::move(*derived.preview)
                            : CopiedText::leadingCharacters(text, CopiedText::previewCharacters);
    };
    std::visit(Overloaded{
                   [&](const ClipboardKind::Text& text) {
                       describeText(text.text);
                       entry.symbolName = QStringLiteral("text.alignleft");
                   },
                   [&](const ClipboardKind::Url& url) {
                       entry.title = derived.title ? std::move(*derived.title)
                                                   : CopiedText::titleOf(url.address);
                       entry.symbolName = QStringLiteral("link");
                   },
                   [&](const ClipboardKind::Files& files) {
                       entry.title = files.files.size() == 1
                                         ? QFileInfo(files.files.first().path()).fileName()
                                         : QStringLiteral("%1 files").arg(files.files.size());
                       entry.symbolName = QStringLiteral("doc");
                       if (!files.files.isEmpty())
                           entry.fileIcon = iconOfFile(files.files.first());
                   },
                   [&](const ClipboardKind::Image&) {
                       entry.title = QStringLiteral("Image");
                       entry.symbolName = QStringLiteral("photo");
                       entry.fileIcon = std::move(derived.thumbnail);
                   },
               },
               kind.value);
    entry.kind = std::move(kind);
    entry.sourceApp = std::move(sourceApp);
    entry.copiedAt = std::move(copiedAt);
    return entry;
}

std::optional<ClipboardEntry> ClipboardEntry::fromStored(const StoredEntry& record) {
    std::optional<ClipboardKind> kind;
    switch (record.kind) {
    case StoredEntry::Kind::text:
        if (record.text)
            kind = ClipboardKind{ClipboardKind::Text{*record.text}};
        break;
    case StoredEntry::Kind::url:
        if (record.text)
            kind = ClipboardKind{ClipboardKind::Url{*record.text}};
        break;
    case StoredEntry::Kind::files:
        if (record.paths && !record.paths->isEmpty()) {
            QList<QUrl> files;
            for (const QString& path : *record.paths)
                files << QUrl::fromLocalFile(path);
            kind = ClipboardKind{ClipboardKind::Files{files}};
        }
        break;
    case StoredEntry::Kind::image:
        if (record.imageData && record.imageType)
            kind = ClipboardKind{ClipboardKind::Image{*record.imageData, *record.imageType}};
        break;
    }
    if (!kind)
        return std::nullopt;
    // A title stored whole by an older version is cut as new ones are.
    Derived derived{CopiedText::leadingCharacters(record.title, CopiedText::titleCharacters),
                    std::nullopt, record.thumbnail};
    if (!record.preview.isEmpty())
        derived.preview = record.preview;
    return make(std::move(*kind), record.sourceApp, StoredEntry::dateFromReference(record.copiedAt),
                std::move(derived));
}

StoredEntry ClipboardEntry::toStored() const {
    StoredEntry record;
    std::visit(Overloaded{
                   [&](const ClipboardKind::Text& text) {
                       record.kind = StoredEntry::Kind::text;
                       record.text = text.text;
                   },
                   [&](const ClipboardKind::Url& url) {
                       record.kind = StoredEntry::Kind::url;
                       record.text = url.address;
                   },
                   [&](const ClipboardKind::Files& files) {
                       record.kind = StoredEntry::Kind::files;
                       QStringList paths;
                       for (const QUrl& file : files.files)
                           paths << file.toLocalFile();
                       record.paths = paths;
                   },
                   [&](const ClipboardKind::Image& image) {
                       record.kind = StoredEntry::Kind::image;
                       record.imageData = image.data;
                       record.imageType = image.type;
                   },
               },
               kind.value);
    record.title = title;
    record.sourceApp = sourceApp;
    record.copiedAt = StoredEntry::secondsSinceReference(copiedAt);
    return record;
}

QString ClipboardEntry::relativeTime(const QDateTime& now) const {
    const double seconds = double(copiedAt.msecsTo(now)) / 1000.0;
    if (seconds < 60)
        return QStringLiteral("just now");
    if (seconds < 3600)
        return QStringLiteral("%1 min ago").arg(qint64(seconds / 60));
    if (seconds < 86400)
        return QStringLiteral("%1 h ago").arg(qint64(seconds / 3600));
    return QStringLiteral("%1 d ago").arg(qint64(seconds / 86400));
}

} // namespace vellaro
