#include "ui/VelRowView.h"

#include "ui/KitLabelColumn.h"

#include <QHBoxLayout>

namespace vellaro {

VelRowView::VelRowView(const Pal& pal, const QString& label, std::optional<QString> caption,
                       QWidget* trailing, QWidget* parent)
    : KitWidget(pal, parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new KitLabelColumn(pal, label, std::move(caption), this), 0, Qt::AlignVCenter);
    row->addStretch(1);
    if (trailing)
        row->addWidget(trailing, 0, Qt::AlignVCenter);
}

} // namespace vellaro
