#pragma once

#include "model/Pal.h"

#include <QAbstractButton>

namespace vellaro {

// The update window's two button looks: primary (accent capsule, white
// semibold title, glow) and secondary (chip gradient, outlined, ink title).
class UpdateButton : public QAbstractButton {
    Q_OBJECT

public:
    enum class Kind { primary, secondary };

    UpdateButton(Kind kind, const QString& title, const Pal& pal, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QMarginsF padding() const;

    Kind kind_;
    Pal pal_;
};

} // namespace vellaro
