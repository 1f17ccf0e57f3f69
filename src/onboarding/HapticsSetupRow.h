#pragma once

#include "ui/KitWidget.h"

#include <QColor>
#include <QString>

namespace vellaro {

class VelChipButton;

// A row of the haptics wizard: a dot, a title over a detail line, and an
// optional chip at the end, on a rounded well.
class HapticsSetupRow : public KitWidget {
    Q_OBJECT
public:
    struct Content {
        QString title;
        QString detail;
        QColor dot{};   // invalid: the palette's line colour
        QString chip{}; // empty: no chip
    };

    static QColor doneColor() { return QColor(52, 199, 89); }
    static QColor waitingColor() { return QColor(255, 149, 0); }

    HapticsSetupRow(const Pal& pal, const Content& content, QWidget* parent = nullptr);

    const Content& content() const { return content_; }
    void setContent(const Content& content);
    QColor dotColor() const { return content_.dot.isValid() ? content_.dot : pal().line; }
    VelChipButton* chip() const { return chip_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

Q_SIGNALS:
    void chipClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    double textWidth(int width) const;
    void placeChip();

    Content content_;
    VelChipButton* chip_;
};

} // namespace vellaro
