#include "onboarding/HapticsSetupRow.h"

#include "ui/KitPaint.h"
#include "ui/VelChipButton.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

namespace {

constexpr double padX = 13, padY = 10, spacing = 11, dotSide = 8, radius = 11;
constexpr int rowWidth = 380;

QFont titleFont() {
    return KitPaint::font(12.5, QFont::Medium);
}

QFont detailFont() {
    return KitPaint::font(10.5);
}

double wrappedHeight(const QFont& font, const QString& text, double width) {
    return QFontMetricsF(font)
        .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text)
        .height();
}

} // namespace

HapticsSetupRow::HapticsSetupRow(const Pal& pal, const Content& content, QWidget* parent)
    : KitWidget(pal, parent), chip_(new VelChipButton(pal, {}, this)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    connect(chip_, &VelChipButton::clicked, this, &HapticsSetupRow::chipClicked);
    setContent(content);
}

void HapticsSetupRow::setContent(const Content& content) {
    content_ = content;
    VelChipButton::Look look;
    look.label = content.chip;
    chip_->setLook(look);
    chip_->setVisible(!content.chip.isEmpty());
    chip_->resize(chip_->sizeHint());
    placeChip();
    updateGeometry();
    update();
}

double HapticsSetupRow::textWidth(int width) const {
    double used = 2 * padX + dotSide + spacing;
    if (!content_.chip.isEmpty())
        used += chip_->sizeHint().width() - 2 * VelChipButton::margin + spacing;
    return std::max(40.0, width - used);
}

int HapticsSetupRow::heightForWidth(int width) const {
    const double text = wrappedHeight(titleFont(), content_.title, textWidth(width)) + 1 +
                        wrappedHeight(detailFont(), content_.detail, textWidth(width));
    const double chip =
        content_.chip.isEmpty() ? 0 : chip_->sizeHint().height() - 2 * VelChipButton::margin;
    return int(std::ceil(std::max(text, chip) + 2 * padY));
}

QSize HapticsSetupRow::sizeHint() const {
    return QSize(rowWidth, heightForWidth(rowWidth));
}

void HapticsSetupRow::resizeEvent(QResizeEvent* event) {
    KitWidget::resizeEvent(event);
    placeChip();
}

void HapticsSetupRow::placeChip() {
    const QSize chip = chip_->sizeHint();
    chip_->setGeometry(width() - int(padX) + VelChipButton::margin - chip.width(),
                       (height() - chip.height()) / 2, chip.width(), chip.height());
}

void HapticsSetupRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF well = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(well, radius), pal().well, pal().line);

    painter.setPen(Qt::NoPen);
    painter.setBrush(dotColor());
    painter.drawEllipse(QRectF(padX, (height() - dotSide) / 2.0, dotSide, dotSide));

    const double left = padX + dotSide + spacing;
    const double width = textWidth(this->width());
    const double titleHeight = wrappedHeight(titleFont(), content_.title, width);
    const double detailHeight = wrappedHeight(detailFont(), content_.detail, width);
    const double top = (height() - (titleHeight + 1 + detailHeight)) / 2.0;
    painter.setFont(titleFont());
    painter.setPen(pal().ink);
    painter.drawText(QRectF(left, top, width, titleHeight), Qt::TextWordWrap, content_.title);
    painter.setFont(detailFont());
    painter.setPen(pal().muted);
    painter.drawText(QRectF(left, top + titleHeight + 1, width, detailHeight), Qt::TextWordWrap,
                     content_.detail);
}

} // namespace vellaro
