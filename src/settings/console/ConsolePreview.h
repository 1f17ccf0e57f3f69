#pragma once

#include "model/MenuScale.h"
#include "overlay/RadialMenuView.h"
#include "ui/KitWidget.h"

#include <QPointer>

namespace vellaro {

class ConsoleModel;
class ConsoleToastView;
class DialPreviewHandle;
class FloatingLabel;

// The console's preview area: a canvas panel with the user's live dial in
// preview mode on it, the coach mark above and the toast below. Clicks
// select sections, wedge drags reorder and remove them (the dial's own drag
// editing), and every result goes to the console model.
class ConsolePreview : public KitWidget {
    Q_OBJECT
public:
    // The dial widget is at least this square; larger sizes get room for
    // their fans and shadows, because a child widget is clipped.
    static constexpr int previewSide = 384;
    static constexpr double leadingInset = 18;

    // The overlay's size factors times 0.8.
    static double previewScale(MenuScale scale);
    static int dialSide(double scale);

    ConsolePreview(const Pal& pal, ConsoleModel& model, const RadialMenuView::Services& services,
                   DialPreviewHandle& handle, QWidget* parent = nullptr);
    ~ConsolePreview() override;

    RadialMenuView* dial() const { return dial_; }
    QRectF canvasRect() const;
    const FloatingLabel& coachMark() const { return *coach_; }
    ConsoleToastView& toastView() const { return *toast_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void selectionChanged();
    void settingsChanged();
    void reloadDial();
    void placeChildren();
    void showToast();

    ConsoleModel& model_;
    DialPreviewHandle& handle_;
    QPointer<RadialMenuView> dial_;
    FloatingLabel* coach_;
    ConsoleToastView* toast_;
    bool reloadWhenShown_ = false;
};

} // namespace vellaro
