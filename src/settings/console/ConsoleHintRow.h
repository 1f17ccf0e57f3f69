#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

class ConsoleModel;
class VelChipButton;

// Below the preview: the "↺ Undo" chip, enabled while there is history, and
// a line of guidance that follows the selection.
class ConsoleHintRow : public KitWidget {
    Q_OBJECT
public:
    ConsoleHintRow(const Pal& pal, ConsoleModel& model, QWidget* parent = nullptr);

    VelChipButton& undoChip() const { return *undo_; }
    QString hint() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void follow();

    ConsoleModel& model_;
    VelChipButton* undo_;
};

} // namespace vellaro
