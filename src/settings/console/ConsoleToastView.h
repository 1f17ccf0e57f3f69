#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

// The console toast as drawn over the preview: the message and, when the
// toast offers one, an "Undo" button.
class ConsoleToastView : public KitWidget {
    Q_OBJECT
public:
    static constexpr int margin = 10; // room for the shadow
    explicit ConsoleToastView(const Pal& pal, QWidget* parent = nullptr);

    void setToast(const QString& message, bool hasUndo);
    const QString& message() const { return message_; }
    QRectF undoRect() const;
    QSize sizeHint() const override;

Q_SIGNALS:
    void undoClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    QRectF clickArea() const override { return undoRect(); }
    bool clickable() const override { return hasUndo_; }
    void clickedAt(QPointF) override { Q_EMIT undoClicked(); }

private:
    QString message_;
    bool hasUndo_ = false;
};

} // namespace vellaro
