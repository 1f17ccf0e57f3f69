#pragma once

#include "ui/KitWidget.h"

#include <optional>

namespace vellaro {

// The label of a kit row: the label in `ink` and, when given, a caption in
// `muted` 1 point below it. Narrower than both, it elides them.
class KitLabelColumn : public KitWidget {
    Q_OBJECT
public:
    KitLabelColumn(const Pal& pal, QString label, std::optional<QString> caption,
                   QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString label_;
    std::optional<QString> caption_;
};

} // namespace vellaro
