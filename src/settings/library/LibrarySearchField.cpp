#include "settings/library/LibrarySearchField.h"

#include "model/SymbolCatalog.h"
#include "ui/KitPaint.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace vellaro {

namespace {

constexpr double glassSide = 11;

} // namespace

LibrarySearchField::LibrarySearchField(const Pal& pal, QWidget* parent)
    : KitWidget(pal, parent), edit_(new QLineEdit(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(9 + int(glassSide) + 6, 6, 9, 6);
    row->setSpacing(6);
    edit_->setFrame(false);
    edit_->setPlaceholderText(QStringLiteral("Search sections"));
    edit_->setFont(KitPaint::font(11.5));
    edit_->setAttribute(Qt::WA_MacShowFocusRect, false);
    row->addWidget(edit_);
    styleEdit();
    connect(edit_, &QLineEdit::textChanged, this, &LibrarySearchField::textChanged);
}

QString LibrarySearchField::text() const {
    return edit_->text();
}

void LibrarySearchField::styleEdit() {
    styled_ = pal();
    QPalette colors = edit_->palette();
    colors.setColor(QPalette::Base, Qt::transparent);
    colors.setColor(QPalette::Text, pal().ink);
    colors.setColor(QPalette::PlaceholderText, pal().muted);
    edit_->setPalette(colors);
    edit_->setAutoFillBackground(false);
}

void LibrarySearchField::paintEvent(QPaintEvent*) {
    if (!(styled_ == pal()))
        styleEdit();
    // Its frame and glass change only with the palette or size.
    cache_.paint(*this, pal(), QString(), [this](QPainter& painter) { draw(painter); });
}

void LibrarySearchField::draw(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    KitPaint::fillAndStroke(painter,
                            KitPaint::roundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8),
                            pal().well, pal().line);
    const qreal ratio = painter.device()->devicePixelRatioF();
    QImage glass = SymbolCatalog::image(QStringLiteral("magnifyingglass"),
                                        qRound(glassSide * ratio), pal().muted);
    glass.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(9, (height() - glassSide) / 2.0), glass);
}

} // namespace vellaro
