#pragma once

#include "ui/KitWidget.h"

class QVBoxLayout;

namespace vellaro {

// The kit's collapsible "ADVANCED" card: a header that reports a click
// through toggled() with the negated open flag, the summary while closed,
// and the caller's content while open (the caller sets it with setOpen()).
class VelAdvanced : public KitWidget {
    Q_OBJECT
public:
    VelAdvanced(const Pal& pal, bool open, QString summary, QWidget* content,
                QWidget* parent = nullptr);

    bool isOpen() const { return open_; }
    void setOpen(bool open);
    QRectF headerRect() const;
    QWidget* content() const { return content_; }

Q_SIGNALS:
    void toggled(bool open);

protected:
    void paintEvent(QPaintEvent* event) override;
    QRectF clickArea() const override { return headerRect(); }
    void clickedAt(QPointF) override { Q_EMIT toggled(!open_); }

private:
    bool open_;
    QString summary_;
    QWidget* content_;
    QWidget* body_;
};

} // namespace vellaro
