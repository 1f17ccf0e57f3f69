#pragma once

#include <QWidget>

namespace vellaro {

// A 7 × 7 dot, green when good and orange while something is missing.
class StatusDot : public QWidget {
    Q_OBJECT
public:
    explicit StatusDot(bool good, QWidget* parent = nullptr);

    static QColor goodColor() { return QColor(52, 199, 89); }
    static QColor waitingColor() { return QColor(255, 149, 0); }

    bool isGood() const { return good_; }
    void setGood(bool good);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool good_;
};

} // namespace vellaro
