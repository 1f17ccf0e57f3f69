#pragma once

#include "ui/KitWidget.h"

#include <QStringList>

#include <optional>

namespace vellaro {

// The label of a kit row: the label in `ink` and, when given, a caption in
// `muted` 1 point below it. Narrower than its texts, the label is elided and
// the caption wraps to a second line, elided at its end.
class KitLabelColumn : public KitWidget {
    Q_OBJECT
public:
    KitLabelColumn(const Pal& pal, QString label, std::optional<QString> caption,
                   QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return caption_.has_value(); }
    int heightForWidth(int width) const override;

    // The caption's lines at `width`: one when it fits, else two, the
    // second elided.
    QStringList captionLines(double width) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString label_;
    std::optional<QString> caption_;
};

} // namespace vellaro
