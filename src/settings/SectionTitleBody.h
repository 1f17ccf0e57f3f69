#pragma once

#include "model/SectionKind.h"
#include "ui/KitWidget.h"

namespace vellaro {

class ContextPanelIconTile;
class ContextPanelTitleBlock;

// The panel shown while a section is selected: its title row, symbol and
// title over its blurb.
class SectionTitleBody : public KitWidget {
    Q_OBJECT
public:
    explicit SectionTitleBody(const Pal& pal, QWidget* parent = nullptr);

    void showSection(SectionKind kind);

private:
    ContextPanelIconTile* icon_;
    ContextPanelTitleBlock* title_;
};

} // namespace vellaro
