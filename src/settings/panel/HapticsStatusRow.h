#pragma once

#include "settings/panel/MXHapticsState.h"
#include "ui/KitWidget.h"

#include <functional>

namespace vellaro {

class MouseHapticsClient;
class Notifications;
class PanelText;
class StatusDot;
class VelChipButton;

// The mouse-haptics row: whether the vendor's haptics plug-in answers, with
// the way to set it up or to feel a test burst. Hidden for good when the
// machine has neither the mouse nor the plug-in; otherwise it probes the
// plug-in each time it is shown and on each "vellaroMXHapticsChanged".
class HapticsStatusRow : public KitWidget {
    Q_OBJECT
public:
    static constexpr char changedNotification[] = "vellaroMXHapticsChanged";

    HapticsStatusRow(const Pal& pal, MXHapticsState first, MouseHapticsClient& haptics,
                     Notifications& notifications, std::function<void()> showSetup,
                     QWidget* parent = nullptr);

    MXHapticsState state() const { return state_; }
    const StatusDot& dot() const { return *dot_; }
    VelChipButton& chip() const { return *chip_; }
    // Asks the plug-in again; the answer sets the state.
    void refresh();
    // Shows `state` until the next answer of the plug-in.
    void setState(MXHapticsState state);

protected:
    void showEvent(QShowEvent* event) override;
    QRectF clickArea() const override;
    bool clickable() const override { return bool(showSetup_); }
    void clickedAt(QPointF) override { showSetup_(); }

private:
    MXHapticsState state_;
    MouseHapticsClient& haptics_;
    std::function<void()> showSetup_;
    StatusDot* dot_;
    PanelText* label_;
    VelChipButton* chip_;
};

} // namespace vellaro
