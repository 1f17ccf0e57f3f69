#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

class PanelText;

// A title over its caption, as the panel's header and section pages show them.
class ContextPanelTitleBlock : public KitWidget {
    Q_OBJECT
public:
    ContextPanelTitleBlock(const Pal& pal, const QString& title, const QString& caption,
                           QWidget* parent = nullptr);

    void setTitle(const QString& title, const QString& caption);

private:
    PanelText* title_;
    PanelText* caption_;
};

} // namespace vellaro
