#pragma once

#include "model/AppsPaneSource.h"
#include "ui/KitWidget.h"

namespace vellaro {

class ChevronButton;
class VelChipButton;

// One pinned app in the apps pane: icon, name, up and down chevrons and the
// "✕" that unpins it; dimmed when it is past the dial's limit.
class PinnedAppRow : public KitWidget {
    Q_OBJECT
public:
    PinnedAppRow(const Pal& pal, const AppsPaneSource::PinnedEntry& entry, std::size_t index,
                 std::size_t count, QWidget* parent = nullptr);

    const QString& bundleID() const { return bundleID_; }
    double opacity() const { return opacity_; }
    ChevronButton& upButton() const { return *up_; }
    ChevronButton& downButton() const { return *down_; }
    VelChipButton& unpinChip() const { return *unpin_; }

Q_SIGNALS:
    void moveRequested(int step);
    void unpinRequested();

private:
    QString bundleID_;
    double opacity_;
    ChevronButton* up_;
    ChevronButton* down_;
    VelChipButton* unpin_;
};

} // namespace vellaro
