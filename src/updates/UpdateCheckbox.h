#pragma once

#include "model/Pal.h"

#include <QCheckBox>

namespace vellaro {

// A small checkbox drawn from the window's colours, so that its box shows
// on the dark themes too: an outlined well, an accent fill with a white
// tick when on, the label in `muted`.
class UpdateCheckbox : public QCheckBox {
    Q_OBJECT

public:
    UpdateCheckbox(const QString& label, const Pal& pal, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }

private:
    Pal pal_;
};

} // namespace vellaro
