#pragma once

#include "platform/time/Scheduler.h"
#include "ui/SingleWindow.h"

#include <functional>

namespace vellaro {

class AccessibilityExplainerView;
class SettingsPanes;

// Window access (Accessibility on other systems): asks for it and, when a
// feature finds it missing, explains it in a small window. On X11 access is
// there whenever a window manager publishes its window list; there is no
// prompt to show.
class AccessibilityPermission {
public:
    AccessibilityPermission(std::function<bool()> isTrusted, SettingsPanes& panes,
                            Scheduler& scheduler);
    ~AccessibilityPermission();

    static AccessibilityPermission& shared();

    bool isTrusted() const { return isTrusted_(); }
    // Each returns why nothing could be shown; empty when something was.
    QString request();
    QString openSystemSettings();
    void revealAppInFinder();
    void showExplainer();
    void dismissExplainer();

    AccessibilityExplainerView* window() const { return window_.get(); }

private:
    std::function<bool()> isTrusted_;
    SettingsPanes& panes_;
    Scheduler& scheduler_;
    SingleWindow<AccessibilityExplainerView> window_;
};

} // namespace vellaro
