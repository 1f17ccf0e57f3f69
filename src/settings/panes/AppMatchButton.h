#pragma once

#include "ui/KitButton.h"

#include <QImage>

namespace vellaro {

// A search match in the apps pane: the app's icon and name and "＋ Pin" on
// a chip; a click pins it.
class AppMatchButton : public KitButton {
    Q_OBJECT
public:
    AppMatchButton(const Pal& pal, QString name, QImage icon, QWidget* parent = nullptr);

    const QString& name() const { return name_; }
    QSize sizeHint() const override { return QSize(200, 32); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    QImage icon_;
};

} // namespace vellaro
