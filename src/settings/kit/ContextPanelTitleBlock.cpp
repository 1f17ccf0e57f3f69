#include "settings/kit/ContextPanelTitleBlock.h"

#include "settings/kit/PanelText.h"
#include "ui/KitPaint.h"

#include <QVBoxLayout>

namespace vellaro {

ContextPanelTitleBlock::ContextPanelTitleBlock(const Pal& pal, const QString& title,
                                               const QString& caption, QWidget* parent)
    : KitWidget(pal, parent),
      title_(new PanelText(pal, title, KitPaint::font(15.5, QFont::DemiBold), &Pal::ink, this)),
      caption_(new PanelText(pal, caption, KitPaint::font(10.5), &Pal::muted, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(title_);
    column->addWidget(caption_);
}

void ContextPanelTitleBlock::setTitle(const QString& title, const QString& caption) {
    title_->setText(title);
    caption_->setText(caption);
}

} // namespace vellaro
