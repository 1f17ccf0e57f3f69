#pragma once

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
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void chosen(const QString& option);

protected:
    void paintEvent(QPaintEvent* event) override;
    void clickedAt(QPointF point) override;

private:
    QStringList options_;
    QString selected_;
};

} // namespace vellaro
