#pragma once

#include "clipboard/ClipboardEntry.h"
#include "platform/time/Scheduler.h"
#include "platform/windows/WindowFocus.h"
#include "ui/ConsoleWindowFrame.h"

#include <QDateTime>
#include <QUuid>
#include <chrono>
#include <functional>
#include <memory>

namespace vellaro {

class ClipboardHistoryView;
class ClipboardProvider;
class MenuDataSource;

// Owns the clipboard history window: builds it on the first show and keeps
// it (with its search) while closed, remembers the window that was active
// when it opened and pastes a chosen entry back into it. Main thread.
class ClipboardHistoryWindowController {
public:
    struct Services {
        MenuDataSource& dataSource; // its clipboard section's provider
        WindowFocus& focus;
        Scheduler& scheduler;
        ConsoleWindowFrame::Services frame;
        std::function<QDateTime()> now = &QDateTime::currentDateTimeUtc;
    };

    // Between bringing the target window back and pasting into it.
    static constexpr std::chrono::milliseconds returnDelay{250};
    static inline const QString frameName = QStringLiteral("VellaroClipboardHistoryWindow");

    explicit ClipboardHistoryWindowController(Services services);
    ~ClipboardHistoryWindowController();
    ClipboardHistoryWindowController(const ClipboardHistoryWindowController&) = delete;
    ClipboardHistoryWindowController& operator=(const ClipboardHistoryWindowController&) = delete;

    // The program's controller, over the shared data source, X window
    // manager, scheduler, settings, desktop appearance and defaults.
    static ClipboardHistoryWindowController& shared();

    // Remembers the active window, then opens or raises the window with the
    // current history.
    void show();
    // Follows the settings theme (and the desktop's scheme under the system
    // theme); the window also does this by itself on every change.
    void applyAppearance();
    // Hides the window, brings back the remembered window when it still
    // exists and pastes the entry there after `returnDelay`.
    void paste(const ClipboardEntry& entry);
    // Empties the whole history at once, without asking.
    void clear();

    ConsoleWindowFrame* window() const { return window_.get(); }
    ClipboardHistoryView* view() const { return view_; }
    WindowFocus::WindowId returnTo() const { return returnTo_; }

private:
    void build();
    void reload();
    ClipboardProvider* provider() const;

    Services services_;
    std::unique_ptr<ConsoleWindowFrame> window_;
    ClipboardHistoryView* view_ = nullptr;
    WindowFocus::WindowId returnTo_ = 0;
    QUuid dataObserver_;
};

} // namespace vellaro
