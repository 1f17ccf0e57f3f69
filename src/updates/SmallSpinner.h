#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

namespace vellaro {

// A small indeterminate progress indicator: twelve ticks turning.
class SmallSpinner : public QWidget {
    Q_OBJECT

public:
    explicit SmallSpinner(const QColor& color, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QColor color_;
    int step_ = 0;
    QTimer timer_;
};

} // namespace vellaro
