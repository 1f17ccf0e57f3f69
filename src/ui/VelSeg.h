#pragma once

#include "ui/KitPaintCache.h"
#include "ui/KitWidget.h"

#include <QStringList>

namespace vellaro {

// The kit's segmented chooser: one option per string, the one equal to
// `selected` drawn selected; a click (press and release on the same option)
// reports its option, selected or not. From the keyboard the arrows choose
// the next option, Space and Return the one in the focus ring.
class VelSeg : public KitWidget {
    Q_OBJECT
public:
    VelSeg(const Pal& pal, QStringList options, QString selected, QWidget* parent = nullptr);

    const QStringList& options() const { return options_; }
    const QString& selected() const { return selected_; }
    void setSelected(const QString& selected);
    // Where each option is drawn.
    QRectF optionRect(int index) const;
    // The option in the focus ring.
    int focusedOption() const { return focused_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void chosen(const QString& option);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void clickedAt(QPointF point) override;
    void activate() override;
    QPainterPath focusRing() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void draw(QPainter& painter) const;
    double optionPadX(double width) const;
    QRectF optionRect(int index, double padX) const;
    QSize sizeFor(double padX) const;
    int optionAt(QPointF point) const;
    void choose(int index);

    QStringList options_;
    QString selected_;
    int pressedOption_ = -1;
    int focused_ = 0;
    KitPaintCache cache_;
};

} // namespace vellaro
