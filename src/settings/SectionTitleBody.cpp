#include "settings/SectionTitleBody.h"

#include "settings/ContextPanelIconTile.h"
#include "settings/ContextPanelTitleBlock.h"
#include "settings/LibraryFilter.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vellaro {

SectionTitleBody::SectionTitleBody(const Pal& pal, QWidget* parent)
    : KitWidget(pal, parent), icon_(new ContextPanelIconTile(pal, QString(), this)),
      title_(new ContextPanelTitleBlock(pal, QString(), QString(), this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(icon_, 0, Qt::AlignVCenter);
    row->addWidget(title_, 1, Qt::AlignVCenter);
    column->addLayout(row);
    column->addStretch(1);
}

void SectionTitleBody::showSection(SectionKind kind) {
    icon_->setSymbol(sectionSymbol(kind));
    title_->setTitle(sectionTitle(kind), LibraryFilter::blurb(kind));
}

} // namespace vellaro
