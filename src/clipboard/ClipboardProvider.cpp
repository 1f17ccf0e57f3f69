#include "clipboard/ClipboardProvider.h"

#include "clipboard/ClipboardStore.h"
#include "clipboard/FrontApplication.h"
#include "clipboard/Logging.h"
#include "model/SettingsStore.h"
#include "platform/clipboard/Pasteboard.h"
#include "platform/input/KeySender.h"
#include "platform/windows/WindowAccessTrust.h"

#include <QFileInfo>
#include <QPointer>

#include <algorithm>

namespace vellaro {

ClipboardProvider::ClipboardProvider(Services services, std::unique_ptr<ClipboardStore> store)
    : services_(std::move(services)), store_(std::move(store)),
      lastChangeCount_(services_.pasteboard.changeCount()) {
    QPointer<ClipboardProvider> self(this);
    store_->load([self](std::vector<StoredEntry> records, bool savesWereHeld) {
        if (self)
            self->mergeLoaded(std::move(records), savesWereHeld);
    });
    connect(&services_.pasteboard, &Pasteboard::contentRead, this, [this] { poll(); });
    connect(&services_.frontApplication, &FrontApplication::changed, this,
            [this](const std::optional<SourceApplication>& previous) { poll(previous); });
}

ClipboardProvider::~ClipboardProvider() = default;

void ClipboardProvider::poll(const std::optional<SourceApplication>& from) {
    const std::int64_t count = services_.pasteboard.changeCount();
    if (count == lastChangeCount_)
        return;
    const std::optional<PasteboardContent>& content = services_.pasteboard.content();
    if (!content || content->changeCount != count) {
        // Still being read: the first application to lose the focus meanwhile made it.
        if (from && (!pendingCredit_ || pendingCredit_->first != count))
            pendingCredit_ = std::pair(count, *from);
        return;
    }
    lastChangeCount_ = count;
    std::optional<SourceApplication> credit = from;
    if (!credit && pendingCredit_ && pendingCredit_->first == count)
        credit = pendingCredit_->second;
    pendingCredit_.reset();
    capture(*content, credit);
}

void ClipboardProvider::capture(const PasteboardContent& content,
                                const std::optional<SourceApplication>& from) {
    if (content.isConcealed()) {
        qCDebug(lcClipboard) << "Skipped concealed/transient pasteboard content";
        return;
    }
    const std::optional<SourceApplication> source =
        from ? from : services_.frontApplication.current();
    if (source && !source->bundleID.isEmpty() &&
        services_.settings.settings().clipboardExcluded.contains(source->bundleID))
        return;
    std::optional<QString> sourceName;
    if (source && !source->name.isEmpty())
        sourceName = source->name;

    std::optional<Kind> kind = kindOf(content);
    if (!kind)
        return;
    // Title and preview were derived where the content was read.
    Entry::Derived derived{std::nullopt, std::nullopt, content.imageThumbnail};
    if (content.files.isEmpty() && content.text) {
        derived.title = content.text->title();
        derived.preview = content.text->preview();
    }
    Entry entry = Entry::make(std::move(*kind), sourceName, services_.now(), std::move(derived));
    if (!entries_.empty() && entries_.front().kind == entry.kind)
        return;
    entries_.insert(entries_.begin(), std::move(entry));
    trimToRetention();
    changed();
    saveHistory();
}

std::optional<ClipboardProvider::Kind>
ClipboardProvider::kindOf(const PasteboardContent& content) const {
    if (!content.files.isEmpty())
        return Kind{Kind::Files{content.files}};
    if (content.text) {
        if (content.text->isBlank())
            return std::nullopt;
        if (content.text->webAddress())
            return Kind{Kind::Url{*content.text->webAddress()}};
        return Kind{Kind::Text{content.text->text()}};
    }
    if (content.imageData && !content.imageTooLarge &&
        content.imageData->size() <= PasteboardContent::maximumImageSize)
        return Kind{Kind::Image{*content.imageData, content.imageType}};
    return std::nullopt;
}

void ClipboardProvider::trimToRetention() {
    const std::int64_t keep =
        std::max<std::int64_t>(services_.settings.settings().clipboardRetention, 1);
    if (std::int64_t(entries_.size()) > keep)
        entries_.resize(std::size_t(keep));
}

void ClipboardProvider::clearHistory() {
    entries_.clear();
    store_->clear();
    changed();
}

void ClipboardProvider::saveHistory() {
    std::vector<StoredEntry> records;
    records.reserve(entries_.size());
    for (const Entry& entry : entries_)
        records.push_back(entry.toStored());
    store_->save(std::move(records));
}

void ClipboardProvider::mergeLoaded(std::vector<StoredEntry> records, bool savesWereHeld) {
    const std::size_t before = entries_.size();
    for (const StoredEntry& record : records) {
        if (auto entry = Entry::fromStored(record))
            entries_.push_back(std::move(*entry));
    }
    if (entries_.size() != before) {
        trimToRetention();
        changed();
    }
    // Copies made while the history was loading were not written: write them with it.
    if (savesWereHeld)
        saveHistory();
}

std::vector<MenuItem> ClipboardProvider::items() {
    std::vector<MenuItem> items;
    QPointer<ClipboardProvider> self(this);
    const std::optional<PasteboardContent>& content = services_.pasteboard.content();
    const bool current = content && content->changeCount == services_.pasteboard.changeCount();
    if (current && content->text && !content->text->isBlank()) {
        MenuItem item(QStringLiteral("Paste as Plain Text"),
                      MenuItem::Icon::symbol(QStringLiteral("textformat")));
        const QString text = content->text->text();
        item.action = [self, text] {
            if (self)
                self->pastePlainText(text);
        };
        // A password from a password manager must not appear on screen.
        if (!content->isConcealed())
            item.preview = MenuItem::Preview::text(content->text->preview());
        items.push_back(std::move(item));
    }
    if (entries_.empty()) {
        if (items.empty())
            items.emplace_back(QStringLiteral("Clipboard Is Empty"),
                               MenuItem::Icon::symbol(QStringLiteral("doc.on.clipboard")));
        return items;
    }
    const std::size_t shown = std::min<std::size_t>(entries_.size(), maximumFanEntries);
    for (std::size_t i = 0; i < shown; ++i)
        items.push_back(menuItem(entries_[i]));
    MenuItem history(QStringLiteral("History…"),
                     MenuItem::Icon::symbol(QStringLiteral("clock.arrow.circlepath")));
    history.sublabel = QStringLiteral("%1 items").arg(entries_.size());
    history.action = [self] {
        if (self && self->services_.showHistory)
            self->services_.showHistory();
    };
    items.push_back(std::move(history));
    return items;
}

MenuItem ClipboardProvider::menuItem(const Entry& entry) {
    QPointer<ClipboardProvider> self(this);
    MenuItem item(entry.title, entry.fileIcon.isNull() ? MenuItem::Icon::symbol(entry.symbolName)
                                                       : MenuItem::Icon::image(entry.fileIcon));
    item.sublabel = entry.sourceApp;
    auto pasteEntry = [self, entry] {
        if (self)
            self->paste(entry);
    };
    item.action = pasteEntry;
    item.menuActions.emplace_back(QStringLiteral("Paste"), pasteEntry);
    item.menuActions.emplace_back(QStringLiteral("Copy Only"), [self, entry] {
        if (self)
            self->copy(entry);
    });
    if (const auto* text = std::get_if<Kind::Text>(&entry.kind.value)) {
        item.menuActions.emplace_back(QStringLiteral("Paste as Plain Text"),
                                      [self, text = text->text] {
                                          if (self)
                                              self->pastePlainText(text);
                                      });
        item.preview = MenuItem::Preview::text(entry.preview);
    } else if (const auto* url = std::get_if<Kind::Url>(&entry.kind.value)) {
        item.preview = MenuItem::Preview::text(url->address);
    } else if (const auto* files = std::get_if<Kind::Files>(&entry.kind.value)) {
        QStringList names;
        for (const QUrl& file : files->files)
            names << QFileInfo(file.path()).fileName();
        item.preview = MenuItem::Preview::text(names.join(QLatin1Char('\n')));
    } else if (!entry.fileIcon.isNull()) {
        item.preview = MenuItem::Preview::image(entry.fileIcon);
    }
    item.previewCaption = entry.sourceApp.value_or(QStringLiteral("Unknown")) +
                          QStringLiteral(" · ") + entry.relativeTime(services_.now());
    return item;
}

void ClipboardProvider::copy(const Entry& entry) {
    Pasteboard& pasteboard = services_.pasteboard;
    if (const auto* text = std::get_if<Kind::Text>(&entry.kind.value))
        pasteboard.writeText(text->text);
    else if (const auto* url = std::get_if<Kind::Url>(&entry.kind.value))
        pasteboard.writeText(url->address);
    else if (const auto* files = std::get_if<Kind::Files>(&entry.kind.value))
        pasteboard.writeFiles(files->files);
    else if (const auto* image = std::get_if<Kind::Image>(&entry.kind.value))
        pasteboard.writeImage(image->data, image->type);
    // The program's own write is not a copy to record.
    lastChangeCount_ = pasteboard.changeCount();
}

void ClipboardProvider::paste(const Entry& entry) {
    copy(entry);
    pasteIfTrusted();
}

void ClipboardProvider::pastePlainText(const QString& text) {
    services_.pasteboard.writeText(text);
    lastChangeCount_ = services_.pasteboard.changeCount();
    pasteIfTrusted();
}

void ClipboardProvider::pasteIfTrusted() {
    // Without the grant the entry stays on the clipboard for the user to paste.
    if (!services_.windowAccess.isTrusted())
        return;
    QPointer<ClipboardProvider> self(this);
    services_.scheduler.schedule(pasteDelay, [self] {
        if (self)
            self->postPasteKeystroke();
    });
}

void ClipboardProvider::postPasteKeystroke() {
    const PasteKeystroke keystroke = services_.keySender.pasteKeystroke();
    // A window that pastes only the primary selection gets the entry there too.
    if (keystroke == PasteKeystroke::shiftInsertPrimary)
        services_.pasteboard.copyToPrimary();
    if (!services_.keySender.sendPaste(keystroke))
        qCWarning(lcClipboard) << "Could not type the paste shortcut";
}

} // namespace vellaro
