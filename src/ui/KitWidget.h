#pragma once

#include "model/Pal.h"

#include <QPainterPath>
#include <QWidget>

namespace vellaro {

// The base of the console control kit's widgets: each paints from the Pal
// its window hands it and keeps no state of its own but the press.
class KitWidget : public QWidget {
    Q_OBJECT
public:
    explicit KitWidget(const Pal& pal, QWidget* parent = nullptr);

    const Pal& pal() const { return pal_; }
    void setPal(const Pal& pal);
    // The focus ring shows: the focus came from the keyboard.
    bool showsFocusRing() const { return hasFocus() && keyboardFocus_; }

protected:
    bool pressed() const { return pressed_; }
    // Press tracking shared by the kit's buttons: a click is a press and a
    // release inside `clickArea()`.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    virtual QRectF clickArea() const { return rect(); }
    virtual bool clickable() const { return true; }
    virtual void clickedAt(QPointF point) { Q_UNUSED(point); }

    // Controls reached with Tab (a click does not move the focus): Space
    // presses and releases, Return presses at once; each activates.
    void takeKeyboardFocus();
    // What a key press does: a click in the middle of `clickArea()`.
    virtual void activate() { clickedAt(clickArea().center()); }
    // Where the focus ring is drawn.
    virtual QPainterPath focusRing() const;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void paintFocusRing();

    Pal pal_;
    bool pressed_ = false;
    bool keyboardFocus_ = false;
};

} // namespace vellaro
