#pragma once

#include "model/DialPreset.h"
#include "model/Pal.h"
#include "settings/presets/NamePopover.h"
#include "settings/presets/PresetBarModel.h"

#include <QPointer>
#include <QScrollArea>

#include <functional>
#include <optional>

class QHBoxLayout;
class QMenu;

namespace vellaro {

class KitWidget;
class PresetBarChip;

// The strip of preset chips under the top bar: Custom when the dial matches
// no preset, every preset with its miniature dial, and "Save current…". It
// keeps no settings: the console hands it the current sections and the
// user's presets, and it reports each choice through its callbacks. The
// vertical wheel scrolls it sideways. Main thread.
class PresetBarView : public QScrollArea {
    Q_OBJECT
public:
    struct Callbacks {
        std::function<void(const DialPreset&)> apply;
        std::function<void(const QString&)> saveCurrent;
        std::function<void(const DialPreset&, const QString&)> rename;
        std::function<void(const DialPreset&)> updateFromDial;
        std::function<void(const DialPreset&)> remove;
    };

    PresetBarView(const Pal& pal, Callbacks callbacks, QWidget* parent = nullptr);
    ~PresetBarView() override;

    // Rebuilds the chips when the presets changed, else restyles them.
    void setValues(const std::vector<SectionKind>& current,
                   const std::vector<DialPreset>& userPresets);

    const PresetBarModel& model() const { return model_; }
    // In row order: Custom (when shown), the presets, the save chip.
    std::vector<PresetBarChip*> chips() const;
    NamePopover* popover() const { return popover_; }
    const std::optional<DialPreset>& renameTarget() const { return renameTarget_; }

    void openSavePopover();
    void openRenamePopover(const DialPreset& preset);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void rebuild();
    void restyle();
    void fillMenu(QMenu& menu, const DialPreset& preset, const QString& deleteTitle);
    void openPopover(const QString& title, const QString& initial, const QRect& anchor,
                     std::function<void(const QString&)> commit);
    void closePopover();

    Callbacks callbacks_;
    KitWidget* row_;
    QHBoxLayout* layout_;
    PresetBarModel model_;
    PresetBarChip* custom_ = nullptr;
    std::vector<PresetBarChip*> presetChips_;
    PresetBarChip* save_ = nullptr;
    QPointer<NamePopover> popover_;
    std::optional<DialPreset> renameTarget_;
};

} // namespace vellaro
