#pragma once

#include "overlay/OverlayDialView.h"

#include <QStringList>
#include <QWidget>

namespace vellaro::test {

// A dial that writes down, as short words, what its controller asks of it.
class FakeDialView final : public OverlayDialView {
public:
    FakeDialView(double scale, QStringList& journal) : scale_(scale), journal_(journal) {}

    QWidget* widget() override { return widget_; }
    double scale() const override { return scale_; }
    bool contextMenuOpen() const override { return contextMenuOpen_; }
    void setOnDismiss(std::function<void()> onDismiss) override {
        onDismiss_ = std::move(onDismiss);
    }
    void sendOpen() override { journal_ << "open"; }
    void sendTriggerReleased() override { journal_ << "released"; }
    void sendFocusLost() override { journal_ << "focus lost"; }
    void reload() override { journal_ << "reload"; }
    void panelDidHide() override { journal_ << "timers stopped"; }
    void prepareToShow(const QRect&) override {}
    void warmUp() override { journal_ << "warm up"; }

    void dismiss() { onDismiss_(); }
    bool contextMenuOpen_ = false;

private:
    double scale_;
    QStringList& journal_;
    QWidget* widget_ = new QWidget; // owned by the panel
    std::function<void()> onDismiss_;
};

} // namespace vellaro::test
