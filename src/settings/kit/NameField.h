#pragma once

#include "model/Pal.h"

#include <QLineEdit>

namespace vellaro {

// A borderless one-line field in the panel's colours, its text plain. Not
// being edited, a text too long for it ends in an ellipsis.
class NameField : public QLineEdit {
    Q_OBJECT
public:
    NameField(const Pal& pal, const QString& placeholder, double points, QWidget* parent = nullptr);

    // The text as drawn now: whole while focused or when it fits, else elided.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect() const;
};

} // namespace vellaro
