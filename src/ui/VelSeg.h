#pragma once

#include "ui/KitPaintCache.h"
#include "ui/KitWidget.h"

#include <QStringList>

namespace vellaro {

// The kit's segmented chooser: one option per string, the one equal to
// `selected` drawn selected; a click reports its option, selected or not.
class VelSeg : public KitWidget {
    Q_OBJECT
public:
    VelSeg(const Pal& pal, QStringList options, QString selected, QWidget* parent = nullptr);

    const QStringList& options() const { return options_; }
    const QString& selected() const { return selected_; }
    void setSelected(const QString& selected);
    // Where each option is drawn.
    QRectF optionRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void chosen(const QString& option);

protected:
    void paintEvent(QPaintEvent* event) override;
    void clickedAt(QPointF point) override;

private:
    void draw(QPainter& painter) const;
    double optionPadX(double width) const;
    QRectF optionRect(int index, double padX) const;
    QSize sizeFor(double padX) const;

    QStringList options_;
    QString selected_;
    KitPaintCache cache_;
};

} // namespace vellaro
