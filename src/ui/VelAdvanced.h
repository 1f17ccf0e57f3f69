#pragma once

#include "ui/KitMotion.h"
#include "ui/KitPaintCache.h"
#include "ui/KitWidget.h"

class QVBoxLayout;

namespace vellaro {

// The kit's collapsible "ADVANCED" card: a header that reports a click
// through toggled() with the negated open flag, the summary while closed,
// and the caller's content while open (the caller sets it with setOpen()).
class VelAdvanced : public KitWidget {
    Q_OBJECT
public:
    // With `motion`, the chevron turns and the summary fades over 0.24 s.
    VelAdvanced(const Pal& pal, bool open, QString summary, QWidget* content,
                std::optional<KitMotion::Services> motion = std::nullopt,
                QWidget* parent = nullptr);

    bool isOpen() const { return open_; }
    void setOpen(bool open);
    const QString& summary() const { return summary_; }
    void setSummary(const QString& summary);
    QRectF headerRect() const;
    QWidget* content() const { return content_; }
    // 0 closed … 1 open, as drawn now.
    double openness() const { return turn_.value(); }

Q_SIGNALS:
    void toggled(bool open);

protected:
    void paintEvent(QPaintEvent* event) override;
    QRectF clickArea() const override { return headerRect(); }
    void clickedAt(QPointF) override { Q_EMIT toggled(!open_); }

private:
    void draw(QPainter& painter) const;
    bool open_;
    QString summary_;
    QWidget* content_;
    QWidget* body_;
    KitMotion turn_;
    KitPaintCache cache_;
};

} // namespace vellaro
