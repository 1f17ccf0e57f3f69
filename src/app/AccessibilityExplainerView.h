#pragma once

#include "app/ExplainerWindow.h"
#include "platform/time/Scheduler.h"

#include <functional>

namespace vellaro {

// The "Window Access" explainer: why window access is wanted and how to get
// it. Watches the grant every half second and whenever the program becomes
// active, and switches to its granted state by itself.
class AccessibilityExplainerView : public ExplainerWindow {
    Q_OBJECT
public:
    struct Actions {
        std::function<bool()> isTrusted;
        std::function<void()> onRequest;
        std::function<void()> onOpenSettings;
        std::function<void()> onRevealApp;
        std::function<void()> onDismiss;
    };

    static constexpr std::chrono::milliseconds pollInterval{500};

    AccessibilityExplainerView(Actions actions, Scheduler& scheduler, QWidget* parent = nullptr);
    ~AccessibilityExplainerView() override;

    bool requested() const { return requested_; }
    bool trusted() const { return trusted_; }

    // Reads the grant again and updates the view.
    void recheck();

private:
    void schedulePoll();
    void update();

    Actions actions_;
    Scheduler& scheduler_;
    Scheduler::TaskId poll_ = 0;
    bool requested_ = false;
    bool trusted_ = false;
};

} // namespace vellaro
