#pragma once

#include "platform/time/Scheduler.h"
#include "settings/model/ContextPanelServices.h"
#include "settings/panel/ContextPanelView.h"
#include "settings/panel/MXHapticsState.h"
#include "ui/KitPaintCache.h"

#include <optional>

class QScrollArea;

namespace vellaro {

class ContextPanelHost;
class DialWidePanel;
class KitScrollBar;
class KitWidget;
class SectionPanel;

// The console's right-hand column: the dial-wide panel while no section is
// selected, the section's own panel otherwise. Both bodies live as long as
// the panel, so switching keeps the library query, the open ADVANCED group
// and the rest. While on screen it asks every two seconds whether window
// access is granted.
class ContextPanel : public ContextPanelView {
    Q_OBJECT
public:
    static constexpr std::chrono::seconds accessPollInterval{2};

    ContextPanel(ContextPanelHost& host, ContextPanelServices services, QWidget* parent = nullptr);
    ~ContextPanel() override;

    // The haptics row's first state: the vendor's mouse, else its plug-in folder.
    static MXHapticsState firstHapticsState(const ContextPanelServices& services);

    void setPal(const Pal& pal) override;
    void settingsChanged() override;
    void selectionChanged() override;

    bool axTrusted() const { return axTrusted_; }
    DialWidePanel& dialWide() const { return *dialWide_; }
    SectionPanel& sectionBody() const { return *sectionBody_; }
    QScrollArea& scrollArea() const { return *scroll_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void pollAccess();

    ContextPanelHost& host_;
    ContextPanelServices services_;
    Pal pal_;
    bool axTrusted_ = false;
    std::optional<Scheduler::TaskId> pollTask_;
    KitWidget* content_;
    DialWidePanel* dialWide_;
    SectionPanel* sectionBody_;
    QScrollArea* scroll_;
    KitScrollBar* scrollBar_;
    KitPaintCache background_;
};

} // namespace vellaro
