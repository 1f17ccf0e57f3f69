#pragma once

#include "model/SectionKind.h"
#include "overlay/DialPlacement.h"
#include "overlay/OverlayDialView.h"
#include "platform/time/Scheduler.h"

#include <QObject>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

class DialGate;
class OverlayPanel;

// Owns the dial's panel and the dial inside it: turns trigger presses and
// releases into showing, hiding and the trigger-released gesture, places the
// dial around the pointer, and keeps panel and dial in step with the settings.
class OverlayController : public QObject {
    Q_OBJECT
public:
    // The settings the overlay reads, already validated.
    struct DialSettings {
        double scale = 1.0; // 0.85, 1.0 or 1.18
        std::vector<SectionKind> sections;
        double gestureHoldMS = 300;
    };

    struct Collaborators {
        Scheduler& scheduler; // its monotonic clock times the hold
        DialGate& gate;
        std::function<DialSettings()> settings;
        std::function<std::unique_ptr<OverlayDialView>(double scale, int side)> makeView;
        std::function<void()> refreshData;             // providers update before showing
        std::function<void(const QString& name)> post; // app-wide notifications
        std::function<void()> registerHotKey;          // from the current settings
        std::function<QPointF()> pointer;              // global, logical pixels
        std::function<std::vector<DialPlacement::Screen>()> screens; // primary first
    };

    static constexpr double panelSide = 480;
    static constexpr double placementInset = 150;

    explicit OverlayController(Collaborators collaborators, QObject* parent = nullptr);
    ~OverlayController() override;

    // `serverTime`: the X server time (ms) of the press or release, 0 when
    // unknown; the hold is timed between the two when both are known.
    void triggerDown(std::uint32_t serverTime = 0);
    void triggerUp(std::uint32_t serverTime = 0);
    void show(QPointF at);
    void hide();
    void settingsDidChange();

    bool isShown() const;
    OverlayPanel& panel() const { return *panel_; }
    OverlayDialView& radialView() const { return *radialView_; }

    // Collaborators on the real screens and cursor.
    static std::vector<DialPlacement::Screen> systemScreens();

private:
    void installView(std::unique_ptr<OverlayDialView> view);
    void orderOut();

    Collaborators c_;
    std::unique_ptr<OverlayPanel> panel_;
    std::unique_ptr<OverlayDialView> radialView_;
    double builtScale_ = 1.0;
    std::vector<SectionKind> builtSections_;
    std::optional<Scheduler::TimePoint> pressBegan_;
    std::uint32_t pressServerTime_ = 0;
    bool suppressNextRelease_ = false;
};

} // namespace vellaro
