#pragma once

#include "ui/KitButton.h"

namespace vellaro {

// The apps pane's "All Apps ⌄" chip; drawn at 40% and inert while the
// installed apps are still loading.
class AllAppsButton : public KitButton {
    Q_OBJECT
public:
    explicit AllAppsButton(const Pal& pal, QWidget* parent = nullptr);

    void setActive(bool active);
    bool isActive() const { return active_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool clickable() const override { return active_; }

private:
    bool active_ = false;
};

} // namespace vellaro
