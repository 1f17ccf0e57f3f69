#include "updates/ReleaseNotesCard.h"

#include "updates/UpdateLabel.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace vellaro {

namespace {

// The bullet: a 4 px accent dot, 5 px down to sit on the text's first line.
class Bullet : public QWidget {
public:
    Bullet(const QColor& color, QWidget* parent) : QWidget(parent), color_(color) {
        setFixedSize(4, 9);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color_);
        painter.drawEllipse(QRectF(0, 5, 4, 4));
    }

private:
    QColor color_;
};

} // namespace

ReleaseNotesCard::ReleaseNotesCard(const QList<ReleaseNotes>& notes, const Pal& pal,
                                   QWidget* parent)
    : QWidget(parent), pal_(pal), scroll_(new QScrollArea(this)) {
    setFixedHeight(cardHeight);
    auto* outer = new QVBoxLayout(this);
    // Inside the rounded outline, scroll bar included.
    outer->setContentsMargins(1, 5, 4, 5);
    outer->addWidget(scroll_);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll_->viewport()->setAutoFillBackground(false);

    auto* content = new QWidget;
    content->setAutoFillBackground(false);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(13, 9, 10, 9); // 14 from the card's edges
    column->setSpacing(12);
    for (const ReleaseNotes& release : notes)
        column->addWidget(releaseBlock(release));
    const bool anyGroup = std::any_of(notes.begin(), notes.end(), [](const ReleaseNotes& entry) {
        return !entry.groups.isEmpty();
    });
    if (!anyGroup) {
        auto* none = makeUpdateLabel(
            QCoreApplication::translate("UpdateWindow", "No release notes for this update."), 11.5,
            QFont::Normal, pal.muted);
        column->addWidget(none);
    }
    column->addStretch(1);
    scroll_->setWidget(content);
    // setWidget() turns the content's background on; the card paints it.
    content->setAutoFillBackground(false);
}

QWidget* ReleaseNotesCard::releaseBlock(const ReleaseNotes& release) {
    auto* block = new QWidget;
    auto* stack = new QVBoxLayout(block);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(6);

    auto* heading = new QHBoxLayout;
    heading->setSpacing(8);
    auto* version = makeUpdateLabel(release.version, 12, QFont::Bold, pal_.accent);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(12);
    mono.setBold(true);
    version->setFont(mono);
    heading->addWidget(version);
    if (release.date)
        heading->addWidget(makeUpdateLabel(*release.date, 10.5, QFont::Normal, pal_.muted));
    heading->addStretch(1);
    stack->addLayout(heading);

    for (const ReleaseNotes::Group& group : release.groups) {
        auto* groupStack = new QVBoxLayout;
        groupStack->setSpacing(3);
        auto* title = makeUpdateLabel(group.title.toUpper(), 9, QFont::Bold, pal_.muted);
        QFont spaced = title->font();
        spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.4);
        title->setFont(spaced);
        groupStack->addWidget(title);
        for (const QString& item : group.items) {
            auto* row = new QHBoxLayout;
            row->setSpacing(7);
            row->addWidget(new Bullet(pal_.accent, block), 0, Qt::AlignTop);
            auto* text = makeUpdateLabel(item, 11.5, QFont::Normal, pal_.ink);
            text->setWordWrap(true);
            row->addWidget(text, 1);
            groupStack->addLayout(row);
        }
        stack->addLayout(groupStack);
    }
    return block;
}

void ReleaseNotesCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(pal_.well);
    painter.setPen(QPen(pal_.line, 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 11, 11);
}

} // namespace vellaro
