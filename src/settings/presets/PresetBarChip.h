#pragma once

#include "model/DialPreset.h"
#include "ui/KitButton.h"

class QMenu;

namespace vellaro {

class MiniDial;

// One chip of the preset bar: the Custom chip, a preset's chip with its
// miniature dial (and, for the user's own, a "⋯" menu), or the save chip.
class PresetBarChip : public KitButton {
    Q_OBJECT
public:
    enum class Kind { custom, preset, save };

    struct Look {
        bool active = false;
        QString title;
        QString detail;
    };

    // With `withMenu` (user presets) the chip has the "⋯" menu and a
    // context menu, both empty until the caller fills them.
    PresetBarChip(const Pal& pal, Kind kind, const DialPreset& preset, bool withMenu,
                  QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    const DialPreset& preset() const { return preset_; }
    const Look& look() const { return look_; }
    void setLook(const Look& look);
    // The "⋯" button and its menu, and the context menu; none without menus.
    QWidget* moreButton() const { return more_; }
    QMenu* menu() const { return menu_; }
    QMenu* contextMenu() const { return contextMenu_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    QRectF clickArea() const override;
    bool clickable() const override { return kind_ != Kind::custom; }

private:
    QRectF chipRect() const;
    double textLeft() const;
    double textWidth() const;

    Kind kind_;
    DialPreset preset_;
    MiniDial* dial_ = nullptr;
    QWidget* more_ = nullptr;
    QMenu* menu_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    Look look_;
};

} // namespace vellaro
