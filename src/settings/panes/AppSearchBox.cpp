#include "settings/panes/AppSearchBox.h"

#include "model/SymbolCatalog.h"
#include "settings/kit/NameField.h"
#include "ui/KitPaint.h"

#include <QHBoxLayout>
#include <QPainter>

namespace vellaro {

AppSearchBox::AppSearchBox(const Pal& pal, const QString& text, QWidget* parent)
    : KitWidget(pal, parent),
      field_(new NameField(pal, QStringLiteral("Search installed apps"), 11.5, this)) {
    field_->setText(text);
    auto* row = new QHBoxLayout(this);
    // The glass is painted in the left margin.
    row->setContentsMargins(9 + 10 + 6, 6, 9, 6);
    row->addWidget(field_);
}

void AppSearchBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF well = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(well, 8), pal().well, pal().line);
    const qreal ratio = devicePixelRatioF();
    QImage glass =
        SymbolCatalog::image(QStringLiteral("magnifyingglass"), qRound(10 * ratio), pal().muted);
    glass.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(9, (height() - 10) / 2.0), glass);
}

} // namespace vellaro
