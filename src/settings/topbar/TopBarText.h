#pragma once

#include "ui/KitWidget.h"

#include <QFont>

namespace vellaro {

// One line of the top bar's text in a palette colour, or a fixed one.
class TopBarText : public KitWidget {
    Q_OBJECT
public:
    TopBarText(const Pal& pal, const QFont& font, QColor Pal::*role, QWidget* parent = nullptr);
    TopBarText(const Pal& pal, const QFont& font, const QColor& fixed, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont font_;
    QColor Pal::*role_ = nullptr;
    QColor fixed_;
    QString text_;
};

} // namespace vellaro
