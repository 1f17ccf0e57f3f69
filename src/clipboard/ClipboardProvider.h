#pragma once

#include "clipboard/ClipboardEntry.h"
#include "clipboard/ClipboardKind.h"
#include "clipboard/SourceApplication.h"
#include "model/ClipboardPaneSource.h"
#include "model/SectionProvider.h"
#include "platform/clipboard/CopiedText.h"
#include "platform/time/Scheduler.h"

#include <QDateTime>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vellaro {

class ClipboardStore;
class FrontApplication;
class KeySender;
class Pasteboard;
struct PasteboardContent;
class SettingsStore;
class WindowAccessTrust;

// The clipboard section: records every copy made in any program (never a
// concealed one, never one from an excluded application), keeps the history
// newest first within the retention, offers it on the dial and pastes a
// chosen entry into the window in front. Main thread.
class ClipboardProvider final : public QObject, public SectionProvider, public ClipboardPaneSource {
    Q_OBJECT
public:
    using Entry = ClipboardEntry;
    using Kind = ClipboardKind;

    struct Services {
        Pasteboard& pasteboard;
        FrontApplication& frontApplication;
        SettingsStore& settings;
        Scheduler& scheduler;
        KeySender& keySender;
        WindowAccessTrust& windowAccess;
        // Opens the clipboard history window.
        std::function<void()> showHistory;
        std::function<QDateTime()> now = &QDateTime::currentDateTimeUtc;
    };

    static constexpr std::chrono::milliseconds pasteDelay{120};
    static constexpr int maximumFanEntries = 5;
    static constexpr int previewCharacters = CopiedText::previewCharacters;

    // What is on the clipboard now is never recorded. Starts loading the
    // stored history; each copy is recorded when the clipboard has read it
    // (nothing polls).
    ClipboardProvider(Services services, std::unique_ptr<ClipboardStore> store);
    ~ClipboardProvider() override;

    const std::vector<Entry>& entries() const { return entries_; }
    ClipboardStore& store() const { return *store_; }

    // Records the clipboard's content if it changed, credited to `from`
    // (else to the application in front).
    void poll(const std::optional<SourceApplication>& from = std::nullopt);

    std::vector<MenuItem> items() override;
    void refresh() override { poll(); }

    MenuItem menuItem(const Entry& entry);
    // Puts the entry on the clipboard; the history does not change.
    void copy(const Entry& entry);
    // Copies, then with the window-access grant types the paste shortcut
    // into the window in front.
    void paste(const Entry& entry);
    void pastePlainText(const QString& text);
    // Forgets every entry, deletes the sealed history and tells the data
    // source, without asking.
    void clearHistory() override;
    void postPasteKeystroke();

private:
    void capture(const PasteboardContent& content, const std::optional<SourceApplication>& from);
    std::optional<Kind> kindOf(const PasteboardContent& content) const;
    void trimToRetention();
    void saveHistory();
    void mergeLoaded(std::vector<StoredEntry> records, bool savesWereHeld);
    void pasteIfTrusted();

    Services services_;
    std::unique_ptr<ClipboardStore> store_;
    std::vector<Entry> entries_;
    std::int64_t lastChangeCount_ = 0;
    // Who to credit a change with once its content has been read.
    std::optional<std::pair<std::int64_t, SourceApplication>> pendingCredit_;
};

} // namespace vellaro
