#include "settings/console/ConsoleHintRow.h"

#include "settings/model/ConsoleModel.h"
#include "ui/KitPaint.h"
#include "ui/VelChipButton.h"

#include <QPainter>

namespace vellaro {

namespace {

constexpr int spacing = 12, bottom = 12;

QFont hintFont() {
    return KitPaint::font(11);
}

} // namespace

ConsoleHintRow::ConsoleHintRow(const Pal& pal, ConsoleModel& model, QWidget* parent)
    : KitWidget(pal, parent), model_(model),
      undo_(new VelChipButton(pal, {.label = QStringLiteral("↺ Undo")}, this)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(undo_, &VelChipButton::clicked, &model_, &ConsoleModel::undoArrangement);
    connect(&model_, &ConsoleModel::historyChanged, this, &ConsoleHintRow::follow);
    connect(&model_, &ConsoleModel::selectionChanged, this, &ConsoleHintRow::follow);
    follow();
}

QString ConsoleHintRow::hint() const {
    if (const std::optional<SectionKind> section = model_.selection())
        return QStringLiteral("Configuring ") + sectionTitle(*section) +
               QStringLiteral(" — “‹ Dial”, the core, or the wedge goes back");
    return QStringLiteral("Click a wedge to configure it · drag to rearrange · drag off to remove");
}

void ConsoleHintRow::follow() {
    VelChipButton::Look look = undo_->look();
    look.disabled = model_.arrangementHistory().empty();
    undo_->setLook(look);
    update();
}

QSize ConsoleHintRow::sizeHint() const {
    return QSize(undo_->sizeHint().width(), undo_->sizeHint().height() + bottom);
}

void ConsoleHintRow::resizeEvent(QResizeEvent* event) {
    KitWidget::resizeEvent(event);
    // The row starts where the canvas panel does.
    undo_->move(18 - VelChipButton::margin, 0);
}

void ConsoleHintRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(hintFont());
    painter.setPen(pal().muted);
    const double left = undo_->geometry().right() + 1 - VelChipButton::margin + spacing;
    painter.drawText(QRectF(left, 0, width() - left, undo_->height()),
                     Qt::AlignLeft | Qt::AlignVCenter, hint());
}

} // namespace vellaro
