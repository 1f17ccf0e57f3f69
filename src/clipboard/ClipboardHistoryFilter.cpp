#include "clipboard/ClipboardHistoryFilter.h"

#include "core/SpaceTrimming.h"

#include <QFileInfo>
#include <QObject>

namespace vellaro {
namespace {

bool contains(const QString& haystack, const QString& needle) {
    return haystack.contains(needle, Qt::CaseInsensitive);
}

QString lastPathComponent(const QUrl& file) {
    QString path = file.path();
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return QFileInfo(path).fileName();
}

bool matches(const ClipboardEntry& entry, const QString& needle) {
    if (contains(entry.title, needle))
        return true;
    const auto& value = entry.kind.value;
    if (const auto* text = std::get_if<ClipboardKind::Text>(&value))
        return contains(text->text, needle);
    if (const auto* url = std::get_if<ClipboardKind::Url>(&value))
        return contains(url->address, needle);
    if (const auto* files = std::get_if<ClipboardKind::Files>(&value)) {
        for (const QUrl& file : files->files)
            if (contains(lastPathComponent(file), needle))
                return true;
    }
    return false;
}

} // namespace

std::vector<ClipboardEntry> filteredHistory(const std::vector<ClipboardEntry>& entries,
                                            const QString& query) {
    const QString needle = trimSpacesAndTabs(query);
    if (needle.isEmpty())
        return entries;
    std::vector<ClipboardEntry> kept;
    for (const ClipboardEntry& entry : entries)
        if (matches(entry, needle))
            kept.push_back(entry);
    return kept;
}

QString emptyHistoryText(const QString& query) {
    return query.isEmpty() ? QObject::tr("Nothing copied yet") : QObject::tr("No matches");
}

} // namespace vellaro
