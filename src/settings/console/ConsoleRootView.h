#pragma once

#include "overlay/RadialMenuView.h"
#include "settings/console/DialPreviewHandle.h"
#include "settings/model/ContextPanelHost.h"
#include "ui/KitWidget.h"

class QBoxLayout;
class QHBoxLayout;
class QShortcut;
class QVBoxLayout;

namespace vellaro {

class ConsoleHintRow;
class ConsoleModel;
class ConsolePreview;
class ContextPanelView;
class FloatingLabel;

// The whole content of the settings console: the top bar and preset bar
// slots, the preview column, the context panel on the right and the library
// drag chip over everything. Its coordinates are the console's
// ("vellaroConsole"), in which library drags and the preview frame are
// measured.
class ConsoleRootView : public KitWidget, public ContextPanelHost {
    Q_OBJECT
public:
    static constexpr int panelWidth = 340;

    ConsoleRootView(const Pal& pal, ConsoleModel& model, const RadialMenuView::Services& dial,
                    QWidget* parent = nullptr);
    ~ConsoleRootView() override;

    ConsoleModel& model() const { return model_; }
    ConsolePreview& preview() const { return *preview_; }
    ConsoleHintRow& hintRow() const { return *hintRow_; }
    const FloatingLabel& dragChip() const { return *chip_; }
    QRectF previewFrame() const { return handle_.frame(); }

    // The regions other parts of the console fill in; each takes ownership.
    void setTopBar(QWidget* bar);
    void setPresetBar(QWidget* bar);
    void setContextPanel(ContextPanelView* panel);
    ContextPanelView* contextPanel() const { return contextPanel_; }

    // ContextPanelHost
    const Pal& pal() const override { return KitWidget::pal(); }
    const VellaroSettings& settings() const override;
    std::optional<SectionKind> selection() const override;
    void setSelection(std::optional<SectionKind> section) override;
    void showToast(const QString& message, std::function<void()> undo) override;
    void handleLibraryDrag(SectionKind section, QPointF location) override;
    void handleLibraryDrop(SectionKind section) override;
    void handleLibraryAppend(SectionKind section) override;
    QWidget* coordinateRoot() override { return this; }

    // The window's palette changed.
    void applyPal(const Pal& pal);

private:
    void followLibraryDrag();
    void replaceSlot(QWidget*& slot, QWidget* with, QBoxLayout* layout, int index);

    ConsoleModel& model_;
    DialPreviewHandle handle_{this};
    QVBoxLayout* rows_;
    QHBoxLayout* body_;
    QWidget* topBar_;
    QWidget* presetBar_;
    ConsolePreview* preview_;
    ConsoleHintRow* hintRow_;
    QWidget* panel_;
    ContextPanelView* contextPanel_ = nullptr;
    FloatingLabel* chip_;
    QShortcut* undoShortcut_;
};

} // namespace vellaro
