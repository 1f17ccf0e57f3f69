#pragma once

#include "overlay/OverlayDialView.h"
#include "overlay/RadialMenuView.h"

#include <QPointer>

namespace vellaro {

// The dial view as the overlay controller drives it.
class RadialDialView final : public OverlayDialView {
public:
    RadialDialView(double scale, int side, const RadialMenuView::Services& services);
    ~RadialDialView() override;

    QWidget* widget() override { return view_; }
    double scale() const override;
    bool contextMenuOpen() const override;
    void setOnDismiss(std::function<void()> onDismiss) override;
    void sendOpen() override;
    void sendTriggerReleased() override;
    void sendFocusLost() override;
    void pointerAt(QPointF global) override;
    void reload() override;
    void panelDidHide() override;
    void prepareToShow(const QRect& globalFrame) override;
    void warmUp() override;

private:
    void send(const MenuEvent& event, const char* name);

    // Owned by the panel once installed; guarded for the rare case the panel
    // deletes it first.
    QPointer<RadialMenuView> view_;
};

} // namespace vellaro
