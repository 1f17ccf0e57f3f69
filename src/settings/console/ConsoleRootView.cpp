#include "settings/console/ConsoleRootView.h"

#include "settings/console/ConsoleHintRow.h"
#include "settings/console/ConsolePreview.h"
#include "settings/kit/FloatingLabel.h"
#include "settings/model/ConsoleModel.h"
#include "settings/panel/ContextPanelView.h"

#include <QBoxLayout>
#include <QPainter>
#include <QShortcut>

namespace vellaro {

namespace {

// The context panel's place until the panel is there: a plain column.
class EmptyPanel final : public KitWidget {
public:
    using KitWidget::KitWidget;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), pal().panel); }
};

} // namespace

ConsoleRootView::ConsoleRootView(const Pal& pal, ConsoleModel& model,
                                 const RadialMenuView::Services& dial, QWidget* parent)
    : KitWidget(pal, parent), model_(model), rows_(new QVBoxLayout(this)), body_(new QHBoxLayout),
      topBar_(new QWidget(this)), presetBar_(new QWidget(this)),
      preview_(new ConsolePreview(pal, model, dial, handle_, this)),
      hintRow_(new ConsoleHintRow(pal, model, this)), panel_(new EmptyPanel(pal, this)),
      chip_(new FloatingLabel(pal, FloatingLabel::chipLook(), this)),
      undoShortcut_(new QShortcut(QKeySequence::Undo, this)) {
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    // The window manager draws the title bar, so the top bar needs only a
    // small inset of its own.
    topBar_->setFixedHeight(0);
    presetBar_->setFixedHeight(0);
    rows_->addWidget(topBar_);
    rows_->addWidget(presetBar_);
    rows_->addLayout(body_, 1);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 4, 0, 0);
    column->setSpacing(10);
    column->addWidget(preview_, 1);
    column->addWidget(hintRow_);
    body_->setContentsMargins(0, 0, 0, 0);
    body_->setSpacing(0);
    body_->addLayout(column, 1);
    panel_->setFixedWidth(panelWidth);
    body_->addWidget(panel_);

    chip_->hide();
    chip_->raise();
    model_.setPreviewHandle(&handle_);

    undoShortcut_->setContext(Qt::WindowShortcut);
    connect(undoShortcut_, &QShortcut::activated, &model_, &ConsoleModel::undoArrangement);
    connect(&model_, &ConsoleModel::libraryDragChanged, this, &ConsoleRootView::followLibraryDrag);
    connect(&model_, &ConsoleModel::settingsChanged, this, [this] {
        if (contextPanel_)
            contextPanel_->settingsChanged();
    });
    connect(&model_, &ConsoleModel::selectionChanged, this, [this] {
        if (contextPanel_)
            contextPanel_->selectionChanged();
    });
    setMinimumSize(900, 580);
}

ConsoleRootView::~ConsoleRootView() {
    model_.setPreviewHandle(nullptr);
}

void ConsoleRootView::replaceSlot(QWidget*& slot, QWidget* with, QBoxLayout* layout, int index) {
    if (!with)
        return;
    if (auto* kit = qobject_cast<KitWidget*>(with))
        kit->setPal(pal());
    layout->removeWidget(slot);
    delete slot;
    slot = with;
    with->setParent(this);
    layout->insertWidget(index, with);
    with->show();
    chip_->raise();
}

void ConsoleRootView::setTopBar(QWidget* bar) {
    replaceSlot(topBar_, bar, rows_, 0);
}

void ConsoleRootView::setPresetBar(QWidget* bar) {
    replaceSlot(presetBar_, bar, rows_, 1);
}

void ConsoleRootView::setContextPanel(ContextPanelView* panel) {
    if (!panel)
        return;
    panel->setFixedWidth(panelWidth);
    replaceSlot(panel_, panel, body_, 1);
    contextPanel_ = panel;
    contextPanel_->setPal(pal());
}

void ConsoleRootView::applyPal(const Pal& pal) {
    setPal(pal);
    if (contextPanel_)
        contextPanel_->setPal(pal);
}

const VellaroSettings& ConsoleRootView::settings() const {
    return model_.settings();
}

std::optional<SectionKind> ConsoleRootView::selection() const {
    return model_.selection();
}

void ConsoleRootView::setSelection(std::optional<SectionKind> section) {
    model_.setSelection(section);
}

void ConsoleRootView::showToast(const QString& message, std::function<void()> undo) {
    model_.showToast(message, std::move(undo));
}

void ConsoleRootView::handleLibraryDrag(SectionKind section, QPointF location) {
    model_.handleLibraryDrag(section, location);
}

void ConsoleRootView::handleLibraryDrop(SectionKind section) {
    model_.handleLibraryDrop(section);
}

void ConsoleRootView::handleLibraryAppend(SectionKind section) {
    model_.handleLibraryAppend(section);
}

void ConsoleRootView::followLibraryDrag() {
    const std::optional<LibraryDragInfo>& drag = model_.libraryDrag();
    chip_->setVisible(drag.has_value());
    if (!drag)
        return;
    chip_->setText(sectionTitle(drag->kind));
    // Centred 18 points above the pointer.
    QRect frame(QPoint(), chip_->sizeHint());
    frame.moveCenter(QPointF(drag->location.x(), drag->location.y() - 18).toPoint());
    chip_->setGeometry(frame);
    chip_->raise();
}

} // namespace vellaro
