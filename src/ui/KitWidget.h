#pragma once

#include "model/Pal.h"

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

private:
    Pal pal_;
    bool pressed_ = false;
};

} // namespace vellaro
