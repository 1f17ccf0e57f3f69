#pragma once

#include "ui/KitPaintCache.h"
#include "ui/KitWidget.h"

namespace vellaro {

// A 32 × 32 tile in the soft accent holding a section's symbol in the
// accent colour, or the logo mark when it has no symbol.
class ContextPanelIconTile : public KitWidget {
    Q_OBJECT
public:
    ContextPanelIconTile(const Pal& pal, QString symbol, QWidget* parent = nullptr);

    void setSymbol(const QString& symbol);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void draw(QPainter& painter) const;
    QString symbol_;
    KitPaintCache cache_;
};

} // namespace vellaro
