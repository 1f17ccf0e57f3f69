#include "clipboard/ClipboardHistoryWindowController.h"

#include "clipboard/ClipboardHistoryView.h"
#include "clipboard/ClipboardProvider.h"
#include "model/MenuDataSource.h"
#include "platform/apps/RunningAppsWindowFocus.h"
#include "platform/time/QtScheduler.h"

#include <QPointer>

namespace vellaro {

ClipboardHistoryWindowController::ClipboardHistoryWindowController(Services services)
    : services_(std::move(services)) {
    // The window shows new copies while it is open.
    dataObserver_ = services_.dataSource.addObserver([this] {
        if (window_ && window_->isVisible())
            reload();
    });
}

ClipboardHistoryWindowController::~ClipboardHistoryWindowController() {
    services_.dataSource.removeObserver(dataObserver_);
}

ClipboardHistoryWindowController& ClipboardHistoryWindowController::shared() {
    static auto* controller = new ClipboardHistoryWindowController(
        Services{MenuDataSource::shared(), RunningAppsWindowFocus::shared(), QtScheduler::shared(),
                 ConsoleWindowFrame::Services::shared()});
    return *controller;
}

ClipboardProvider* ClipboardHistoryWindowController::provider() const {
    return dynamic_cast<ClipboardProvider*>(&services_.dataSource.provider(SectionKind::clipboard));
}

void ClipboardHistoryWindowController::show() {
    // Before anything can take the focus. A second show while the window
    // itself is active keeps the window the user came from.
    const WindowFocus::WindowId active = services_.focus.activeWindow();
    if (!window_ || active == 0 || active != WindowFocus::WindowId(window_->internalWinId()))
        returnTo_ = active;
    if (!window_)
        build();
    reload();
    window_->present();
    view_->focusSearch();
}

void ClipboardHistoryWindowController::build() {
    window_ = std::make_unique<ConsoleWindowFrame>(
        services_.frame, ConsoleWindowFrame::Look{QObject::tr("Clipboard History"), frameName,
                                                  QSize(440, 540), QSize(380, 420), false});
    view_ = ClipboardHistoryView::fill(
        *window_, {[this](const ClipboardEntry& entry) { paste(entry); }, [this] { clear(); }},
        services_.now);
}

void ClipboardHistoryWindowController::applyAppearance() {
    if (window_)
        window_->applyAppearance();
}

void ClipboardHistoryWindowController::reload() {
    if (!view_)
        return;
    const ClipboardProvider* clipboard = provider();
    view_->setEntries(clipboard ? clipboard->entries() : std::vector<ClipboardEntry>{});
}

void ClipboardHistoryWindowController::paste(const ClipboardEntry& entry) {
    if (window_)
        window_->hide();
    const WindowFocus::WindowId target = returnTo_;
    if (target != 0 && services_.focus.exists(target))
        services_.focus.activate(target);
    QPointer<ClipboardProvider> clipboard = provider();
    services_.scheduler.schedule(returnDelay, [clipboard, entry] {
        if (clipboard)
            clipboard->paste(entry);
    });
}

void ClipboardHistoryWindowController::clear() {
    if (ClipboardProvider* clipboard = provider())
        clipboard->clearHistory();
    reload();
}

} // namespace vellaro
