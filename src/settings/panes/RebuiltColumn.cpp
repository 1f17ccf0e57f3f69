#include "settings/panes/RebuiltColumn.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace vellaro {

RebuiltColumn::RebuiltColumn(const Pal& pal, int spacing, QWidget* parent)
    : KitWidget(pal, parent), spacing_(spacing) {
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
}

void RebuiltColumn::setBuilder(Builder builder) {
    builder_ = std::move(builder);
}

void RebuiltColumn::rebuildNow() {
    pending_ = false;
    if (body_) {
        // A field losing its focus as it goes must not report an edit.
        for (QLineEdit* field : body_->findChildren<QLineEdit*>())
            field->blockSignals(true);
        body_->hide();
        layout()->removeWidget(body_);
        body_->deleteLater();
    }
    body_ = new KitWidget(pal(), this);
    auto* column = new QVBoxLayout(body_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing_);
    if (builder_)
        builder_(*body_, *column);
    layout()->addWidget(body_);
    body_->show();
}

void RebuiltColumn::rebuildSoon() {
    if (pending_)
        return;
    pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (pending_)
                rebuildNow();
        },
        Qt::QueuedConnection);
}

} // namespace vellaro
