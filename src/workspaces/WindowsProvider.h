#pragma once

#include "model/WindowsSectionProvider.h"
#include "platform/time/Scheduler.h"
#include "workspaces/WindowAccess.h"
#include "workspaces/WindowLayout.h"

#include <QMetaObject>
#include <QRect>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace vellaro {

class WindowAccessTrust;

// The windows section: snaps the active window to a half of its monitor,
// maximises or centres it, moves it to the next monitor and swaps it back
// ("Last Size"). Without window access it offers only the way to enable it.
// Frames are X root pixels. Main thread only.
class WindowsProvider final : public WindowsSectionProvider {
public:
    // A window manager sets its check property before it has finished
    // setting itself up: the trust is asked again a moment later.
    static constexpr std::chrono::milliseconds recheckDelay{400};

    // The window moved last and the frame it had just before.
    struct Applied {
        WindowHandle window;
        QRect frame;
    };

    WindowsProvider(const WindowAccess& access, WindowAccessTrust& trust, Scheduler& scheduler,
                    std::function<void()> showExplainer);
    ~WindowsProvider() override;
    WindowsProvider(const WindowsProvider&) = delete;
    WindowsProvider& operator=(const WindowsProvider&) = delete;

    std::vector<MenuItem> items() override;

    void apply(WindowLayout layout);
    void restoreLastSize();
    void moveToNextDisplay();

    // The active window when it is a regular one.
    std::optional<WindowHandle> focusedWindow() const;
    // The monitor a frame overlaps most; the main monitor when it overlaps none.
    std::optional<Monitor> screen(const QRect& frame) const;

    const std::optional<Applied>& lastApplied() const { return lastApplied_; }

    // Asks the trust again after the delay; the items change only when the
    // answer differs from the one they last reflected.
    void accessMayHaveChanged();

private:
    std::optional<qsizetype> mainMonitorIndex(const QList<Monitor>& monitors) const;
    void moveTo(WindowHandle window, const QRect& from, const QRect& target);
    void recheckTrust();
    template <class Method, class... Args>
    std::function<void()> weakly(Method method, Args... args);

    const WindowAccess& access_;
    WindowAccessTrust& trust_;
    Scheduler& scheduler_;
    std::function<void()> showExplainer_;
    std::optional<Applied> lastApplied_;
    Scheduler::TaskId recheckTask_ = 0;
    QMetaObject::Connection trustWatch_;
    // Item actions hold the provider through this, weakly.
    std::shared_ptr<WindowsProvider*> self_;
};

} // namespace vellaro
