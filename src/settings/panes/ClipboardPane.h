#pragma once

#include "ui/KitWidget.h"

#include <functional>

namespace vellaro {

class ClipboardPaneSource;
class SettingsStore;
class VelChipButton;
class VelSeg;

// The clipboard section's rows: how many entries the history keeps, the
// excluded apps (edited in a sheet) and clearing the history. Without a
// clipboard provider "Clear" is disabled.
class ClipboardPane : public KitWidget {
    Q_OBJECT
public:
    ClipboardPane(const Pal& pal, SettingsStore& store, ClipboardPaneSource* source,
                  std::function<void()> editExclusions, QWidget* parent = nullptr);

    // "3 apps excluded", the same wording for 0 and 1.
    static QString exclusionCaption(qsizetype count);

    VelSeg& keep() const { return *keep_; }
    VelChipButton& editChip() const { return *edit_; }
    VelChipButton& clearChip() const { return *clear_; }

private:
    VelSeg* keep_;
    VelChipButton* edit_;
    VelChipButton* clear_;
};

} // namespace vellaro
