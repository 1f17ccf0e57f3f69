#pragma once

#include "model/SectionKind.h"
#include "ui/KitWidget.h"

#include <vector>

namespace vellaro {

class ContextPanelHost;
class LibrarySearchField;
class LibraryTile;

// The LIBRARY group: its heading, the search field and one tile per section
// kind, the tiles the query does not match hidden. The query lives here for
// as long as the panel does.
class LibrarySection : public KitWidget {
    Q_OBJECT
public:
    LibrarySection(const Pal& pal, ContextPanelHost& host, QWidget* parent = nullptr);

    LibrarySearchField& searchField() const { return *field_; }
    QString query() const;
    // Every tile, in library order, shown or not.
    const std::vector<LibraryTile*>& tiles() const { return tiles_; }
    LibraryTile* tile(SectionKind kind) const;

    // The dial's sections changed: badges and handles follow.
    void showDial(const std::vector<SectionKind>& sections);

private:
    void applyFilter();

    LibrarySearchField* field_;
    std::vector<LibraryTile*> tiles_;
};

} // namespace vellaro
