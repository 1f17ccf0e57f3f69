#include "settings/panes/ClipboardExclusionsSheet.h"

#include "model/SettingsStore.h"
#include "model/SymbolCatalog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vellaro {

namespace {

QLabel* plainLabel(const QString& text, QWidget* parent) {
    // Names and identifiers come from outside: never rich text.
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QFont scaledFont(const QWidget& widget, double factor, bool bold) {
    QFont font = widget.font();
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

} // namespace

ClipboardExclusionsSheet::ClipboardExclusionsSheet(
    SettingsStore& store, LookUp lookUp, decltype(ContextPanelServices::pickApps) pickApps,
    const QPalette& colors, QWidget* parent)
    : QDialog(parent), store_(store), lookUp_(std::move(lookUp)), pickApps_(std::move(pickApps)),
      add_(new QPushButton(QStringLiteral("Add Apps…"), this)),
      done_(new QPushButton(QStringLiteral("Done"), this)), pages_(new QStackedWidget(this)) {
    setPalette(colors);
    setWindowTitle(QStringLiteral("Clipboard Exclusions"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(width, height);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    QLabel* title = plainLabel(QStringLiteral("Clipboard Exclusions"), this);
    title->setFont(scaledFont(*title, 1.1, true));
    QLabel* caption = plainLabel(
        QStringLiteral("Vellaro discards clipboard changes while one of these apps is active."),
        this);
    caption->setFont(scaledFont(*caption, 0.9, false));
    caption->setWordWrap(true);
    caption->setForegroundRole(QPalette::PlaceholderText);
    titles->addWidget(title);
    titles->addWidget(caption);

    auto* head = new QHBoxLayout;
    head->setContentsMargins(14, 14, 14, 14);
    // Some styles space a layout's buttons by nothing at all.
    head->setSpacing(8);
    head->addLayout(titles, 1);
    head->addWidget(add_);
    head->addWidget(done_);
    add_->setAutoDefault(false);
    add_->setEnabled(static_cast<bool>(pickApps_));
    done_->setDefault(true);

    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    rows_ = new QWidget(scroll);
    rowsColumn_ = new QVBoxLayout(rows_);
    rowsColumn_->setContentsMargins(14, 6, 14, 6);
    rowsColumn_->setSpacing(0);
    scroll->setWidget(rows_);
    pages_->addWidget(makeEmptyView());
    pages_->addWidget(scroll);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(head);
    column->addWidget(divider);
    column->addWidget(pages_, 1);

    connect(done_, &QPushButton::clicked, this, &QDialog::accept);
    connect(add_, &QPushButton::clicked, this, [this] {
        const QStringList& excluded = store_.settings().clipboardExcluded;
        pickApps_(this, QSet<QString>(excluded.begin(), excluded.end()),
                  [this, guard = QPointer<QDialog>(this)](const std::vector<InstalledApp>& apps) {
                      if (!guard)
                          return;
                      QStringList ids;
                      for (const InstalledApp& app : apps)
                          ids.append(app.bundleID);
                      store_.addClipboardExclusions(ids);
                      rebuildSoon();
                  });
    });
    rebuildRows();
}

QWidget* ClipboardExclusionsSheet::makeEmptyView() {
    auto* view = new QWidget(this);
    auto* column = new QVBoxLayout(view);
    column->addStretch(1);
    auto* symbol = new QLabel(view);
    symbol->setPixmap(QPixmap::fromImage(
        SymbolCatalog::image(QStringLiteral("hand.raised"), 48 * devicePixelRatio(),
                             palette().color(QPalette::PlaceholderText))));
    symbol->setAlignment(Qt::AlignCenter);
    QLabel* label = plainLabel(QStringLiteral("No Exclusions"), view);
    label->setFont(scaledFont(*label, 1.4, true));
    label->setAlignment(Qt::AlignCenter);
    QLabel* description = plainLabel(
        QStringLiteral(
            "Password-manager concealed clipboard data is always skipped automatically."),
        view);
    description->setForegroundRole(QPalette::PlaceholderText);
    description->setAlignment(Qt::AlignCenter);
    description->setWordWrap(true);
    column->addWidget(symbol);
    column->addWidget(label);
    column->addWidget(description);
    column->addStretch(1);
    return view;
}

QWidget* ClipboardExclusionsSheet::makeRow(const QString& bundleID) {
    auto* row = new QWidget(rows_);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 4, 0, 4);
    line->setSpacing(10);
    const std::optional<AppsPaneSource::AppLook> look = lookUp_ ? lookUp_(bundleID) : std::nullopt;
    const int iconPixels = qRound(24 * devicePixelRatioF());
    QImage icon = look && !look->icon.isNull()
                      ? look->icon.scaled(iconPixels, iconPixels, Qt::KeepAspectRatio,
                                          Qt::SmoothTransformation)
                      : SymbolCatalog::image(QStringLiteral("questionmark.app"), iconPixels,
                                             palette().color(QPalette::WindowText));
    icon.setDevicePixelRatio(devicePixelRatioF());
    auto* iconLabel = new QLabel(row);
    iconLabel->setFixedSize(24, 24);
    iconLabel->setPixmap(QPixmap::fromImage(icon));
    line->addWidget(iconLabel);
    line->addWidget(plainLabel(look ? look->name : bundleID, row));
    line->addStretch(1);
    auto* remove = new QPushButton(row);
    remove->setObjectName(QStringLiteral("removeExclusion"));
    // Red, as a destructive button is drawn.
    remove->setIcon(QIcon(QPixmap::fromImage(SymbolCatalog::image(QStringLiteral("minus.circle"),
                                                                  qRound(16 * devicePixelRatioF()),
                                                                  QColor(0xd9, 0x4a, 0x4a)))));
    remove->setFlat(true);
    remove->setAutoDefault(false);
    remove->setToolTip(QStringLiteral("Remove"));
    line->addWidget(remove);
    connect(remove, &QPushButton::clicked, this, [this, bundleID] {
        store_.removeClipboardExclusion(bundleID);
        rebuildSoon();
    });
    return row;
}

void ClipboardExclusionsSheet::rebuildSoon() {
    if (rebuildPending_)
        return;
    rebuildPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { rebuildRows(); }, Qt::QueuedConnection);
}

void ClipboardExclusionsSheet::rebuildRows() {
    rebuildPending_ = false;
    while (QLayoutItem* item = rowsColumn_->takeAt(0)) {
        if (QWidget* row = item->widget()) {
            row->hide();
            row->deleteLater();
        }
        delete item;
    }
    const QStringList& excluded = store_.settings().clipboardExcluded;
    for (const QString& bundleID : excluded)
        rowsColumn_->addWidget(makeRow(bundleID));
    rowsColumn_->addStretch(1);
    pages_->setCurrentIndex(excluded.isEmpty() ? 0 : 1);
}

QList<QPushButton*> ClipboardExclusionsSheet::removeButtons() const {
    QList<QPushButton*> buttons;
    for (int i = 0; i < rowsColumn_->count(); ++i)
        if (QWidget* row = rowsColumn_->itemAt(i)->widget())
            buttons.append(row->findChild<QPushButton*>(QStringLiteral("removeExclusion")));
    return buttons;
}

} // namespace vellaro
