#include "clipboard/ClipboardHistoryView.h"

#include "clipboard/ClipboardHistoryFilter.h"
#include "clipboard/ClipboardHistoryModel.h"
#include "clipboard/ClipboardHistoryRowDelegate.h"
#include "model/SymbolCatalog.h"
#include "ui/ConsoleWindowFrame.h"
#include "ui/KitPaint.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace vellaro {
namespace {

// The rounded well behind the search field.
class SearchWell final : public QWidget {
public:
    using QWidget::QWidget;
    Pal pal;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        KitPaint::fillAndStroke(
            painter, KitPaint::roundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 9),
            pal.well, pal.line);
    }
};

void setSymbol(QLabel& label, const QString& symbol, double points, const QColor& tint) {
    const qreal ratio = label.devicePixelRatioF();
    QImage image = SymbolCatalog::image(symbol, qRound(points * ratio), tint);
    image.setDevicePixelRatio(ratio);
    label.setPixmap(QPixmap::fromImage(image));
}

void setTextColor(QWidget& widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(role, color);
    widget.setPalette(palette);
}

} // namespace

QColor ClipboardHistoryView::clearColor() {
    return QColor::fromRgbF(0.88f, 0.52f, 0.52f);
}

ClipboardHistoryView::ClipboardHistoryView(Actions actions, std::function<QDateTime()> now,
                                           QWidget* parent)
    : QWidget(parent), actions_(std::move(actions)), model_(new ClipboardHistoryModel(this)),
      delegate_(new ClipboardHistoryRowDelegate(*model_, std::move(now), this)) {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    // The window manager draws the title bar, so the header needs no room
    // for buttons drawn over the content.
    auto* header = new QHBoxLayout;
    header->setContentsMargins(16, 12, 16, 12);
    header->setSpacing(9);
    headerSymbol_ = new QLabel(this);
    headerTitle_ = new QLabel(tr("CLIPBOARD HISTORY"), this);
    QFont titleFont = KitPaint::font(10, QFont::DemiBold);
    titleFont.setLetterSpacing(QFont::AbsoluteSpacing, 2.4);
    headerTitle_->setFont(titleFont);
    clearButton_ = new QPushButton(tr("Clear"), this);
    clearButton_->setFlat(true);
    clearButton_->setFocusPolicy(Qt::NoFocus);
    clearButton_->setCursor(Qt::PointingHandCursor);
    clearButton_->setFont(KitPaint::font(10.5, QFont::Medium));
    clearButton_->setContentsMargins(0, 0, 0, 0);
    clearButton_->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; }"));
    setTextColor(*clearButton_, QPalette::ButtonText, clearColor());
    connect(clearButton_, &QPushButton::clicked, this, [this] {
        if (actions_.clear)
            actions_.clear();
    });
    header->addWidget(headerSymbol_);
    header->addWidget(headerTitle_);
    header->addStretch();
    header->addWidget(clearButton_);
    root->addLayout(header);

    auto* well = new SearchWell(this);
    searchWell_ = well;
    auto* search = new QHBoxLayout(well);
    search->setContentsMargins(10, 7, 10, 7);
    search->setSpacing(7);
    searchSymbol_ = new QLabel(well);
    search_ = new QLineEdit(well);
    search_->setFrame(false);
    search_->setPlaceholderText(tr("Search"));
    search_->setFont(KitPaint::font(12));
    search_->setAttribute(Qt::WA_MacShowFocusRect, false);
    connect(search_, &QLineEdit::textChanged, this, &ClipboardHistoryView::refilter);
    // Up and Down move the highlight from the field, Return pastes it.
    search_->installEventFilter(this);
    search->addWidget(searchSymbol_);
    search->addWidget(search_, 1);
    auto* searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(14, 0, 14, 10);
    searchRow->addWidget(well);
    root->addLayout(searchRow);

    list_ = new QListView(this);
    list_->setModel(model_);
    list_->setItemDelegate(delegate_);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setUniformItemSizes(true);
    list_->setMouseTracking(true);
    list_->setAutoFillBackground(false);
    list_->viewport()->setAutoFillBackground(false);
    list_->viewport()->installEventFilter(this);
    connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (actions_.paste && index.isValid())
            actions_.paste(model_->entry(index.row()));
    });

    // The line sits 30 points below the list's top; the page's layout holds
    // the space (a label's own margins are lost when the layout places it).
    emptyPage_ = new QWidget(this);
    auto* emptyColumn = new QVBoxLayout(emptyPage_);
    emptyColumn->setContentsMargins(0, 30, 0, 0);
    emptyColumn->setSpacing(0);
    empty_ = new QLabel(emptyPage_);
    empty_->setFont(KitPaint::font(11.5));
    empty_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    emptyColumn->addWidget(empty_);
    emptyColumn->addStretch();

    auto* listArea = new QWidget(this);
    listStack_ = new QStackedLayout(listArea);
    listStack_->addWidget(list_);
    listStack_->addWidget(emptyPage_);
    auto* listRow = new QHBoxLayout;
    listRow->setContentsMargins(12, 0, 12, 14);
    listRow->addWidget(listArea);
    root->addLayout(listRow, 1);

    setFocusProxy(search_);
    refilter();
}

ClipboardHistoryView::~ClipboardHistoryView() = default;

ClipboardHistoryView* ClipboardHistoryView::fill(ConsoleWindowFrame& window, Actions actions,
                                                 std::function<QDateTime()> now) {
    auto* view = new ClipboardHistoryView(std::move(actions), std::move(now), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    view->setPal(window.pal());
    connect(&window, &ConsoleWindowFrame::palChanged, view, &ClipboardHistoryView::setPal);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    connect(escape, &QShortcut::activated, &window, &QWidget::hide);
    return view;
}

void ClipboardHistoryView::setEntries(std::vector<ClipboardEntry> entries) {
    entries_ = std::move(entries);
    refilter();
}

void ClipboardHistoryView::setPal(const Pal& pal) {
    delegate_->setPal(pal);
    static_cast<SearchWell*>(searchWell_)->pal = pal;
    setSymbol(*headerSymbol_, QStringLiteral("clock.arrow.circlepath"), 12, pal.accent);
    setSymbol(*searchSymbol_, QStringLiteral("magnifyingglass"), 10.5, pal.muted);
    setTextColor(*headerTitle_, QPalette::WindowText, pal.ink);
    setTextColor(*empty_, QPalette::WindowText, pal.muted);
    QPalette field = search_->palette();
    field.setColor(QPalette::Base, Qt::transparent);
    field.setColor(QPalette::Text, pal.ink);
    field.setColor(QPalette::PlaceholderText, pal.muted);
    field.setColor(QPalette::Highlight, pal.accent);
    search_->setPalette(field);
    QPalette listPalette = list_->palette();
    listPalette.setColor(QPalette::Base, Qt::transparent);
    list_->setPalette(listPalette);
    update();
    list_->viewport()->update();
}

QString ClipboardHistoryView::query() const {
    return search_->text();
}

void ClipboardHistoryView::setQuery(const QString& query) {
    search_->setText(query);
}

void ClipboardHistoryView::focusSearch() {
    search_->setFocus(Qt::ActiveWindowFocusReason);
}

QString ClipboardHistoryView::emptyText() const {
    return shown_.empty() ? empty_->text() : QString();
}

void ClipboardHistoryView::setHoveredRow(int row) {
    if (row == delegate_->hoveredRow())
        return;
    delegate_->setHoveredRow(row);
    list_->viewport()->update();
}

int ClipboardHistoryView::hoveredRow() const {
    return delegate_->hoveredRow();
}

void ClipboardHistoryView::moveHighlight(int step) {
    if (shown_.empty())
        return;
    const int row = std::clamp(hoveredRow() + step, 0, int(shown_.size()) - 1);
    setHoveredRow(row);
    list_->scrollTo(model_->index(row, 0));
}

bool ClipboardHistoryView::handleSearchKey(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Down:
        moveHighlight(1);
        return true;
    case Qt::Key_Up:
        moveHighlight(-1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int row = hoveredRow();
        if (row >= 0 && row < int(shown_.size()) && actions_.paste)
            actions_.paste(shown_[std::size_t(row)]);
        return true;
    }
    default:
        return false;
    }
}

bool ClipboardHistoryView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::KeyPress &&
        handleSearchKey(*static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == list_->viewport()) {
        if (event->type() == QEvent::Leave)
            setHoveredRow(-1);
        else if (event->type() == QEvent::MouseMove)
            setHoveredRow(
                list_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).row());
    }
    return QWidget::eventFilter(watched, event);
}

void ClipboardHistoryView::refilter() {
    shown_ = filteredHistory(entries_, search_->text());
    empty_->setText(emptyHistoryText(search_->text()));
    setHoveredRow(-1);
    model_->setEntries(shown_);
    listStack_->setCurrentWidget(shown_.empty() ? emptyPage_ : static_cast<QWidget*>(list_));
}

} // namespace vellaro
