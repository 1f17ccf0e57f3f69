#include "settings/library/LibrarySection.h"

#include "settings/kit/PanelText.h"
#include "settings/library/LibraryFilter.h"
#include "settings/library/LibrarySearchField.h"
#include "settings/library/LibraryTile.h"

#include <QVBoxLayout>
#include <algorithm>

namespace vellaro {

LibrarySection::LibrarySection(const Pal& pal, ContextPanelHost& host, QWidget* parent)
    : KitWidget(pal, parent), field_(new LibrarySearchField(pal, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(9);
    column->addWidget(PanelText::heading(pal, QStringLiteral("LIBRARY"), this));
    column->addWidget(field_);
    for (SectionKind kind : allSectionKinds) {
        auto* tile = new LibraryTile(pal, kind, host, this);
        tiles_.push_back(tile);
        column->addWidget(tile);
    }
    connect(field_, &LibrarySearchField::textChanged, this, &LibrarySection::applyFilter);
}

QString LibrarySection::query() const {
    return field_->text();
}

LibraryTile* LibrarySection::tile(SectionKind kind) const {
    const auto found = std::find_if(tiles_.begin(), tiles_.end(),
                                    [kind](LibraryTile* tile) { return tile->kind() == kind; });
    return found == tiles_.end() ? nullptr : *found;
}

void LibrarySection::showDial(const std::vector<SectionKind>& sections) {
    for (LibraryTile* tile : tiles_)
        tile->setBadge(LibraryFilter::badge(tile->kind(), sections));
}

void LibrarySection::applyFilter() {
    const std::vector<SectionKind> shown = LibraryFilter::filtered(query());
    for (LibraryTile* tile : tiles_)
        tile->setVisible(std::find(shown.begin(), shown.end(), tile->kind()) != shown.end());
}

} // namespace vellaro
