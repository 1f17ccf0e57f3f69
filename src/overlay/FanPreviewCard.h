#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QVBoxLayout;

namespace vellaro {

class MenuItem;

// The floating card beside the dial that shows a hovered fan item's preview
// (a text or an image) and its caption. A click-through tool window that
// never takes focus. Main thread only.
class FanPreviewCard : public QWidget {
    Q_OBJECT
public:
    struct Colors {
        QColor border;     // accent at alpha 0.35
        QColor background; // black or white at alpha 0.28
        QColor text;
        QColor caption;
    };

    explicit FanPreviewCard(bool translucent = true);
    ~FanPreviewCard() override;

    // Fills, sizes and places the card and shows it without activating it.
    // `anchor` is in global coordinates, `direction` a unit vector from the
    // dial's centre out through the item (both y down). An item without a
    // preview leaves the card as it was.
    void show(const MenuItem& item, const Colors& colors, QPointF anchor, QPointF direction);
    using QWidget::show;

    // The views of the last show, for tests.
    QLabel* textLabel() const { return text_; }
    QLabel* imageLabel() const { return image_; }
    QLabel* captionLabel() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void clearContent();

    bool translucent_;
    Colors colors_;
    QVBoxLayout* content_;
    QLabel* text_ = nullptr;
    QLabel* image_ = nullptr;
    QLabel* caption_ = nullptr;
};

} // namespace vellaro
