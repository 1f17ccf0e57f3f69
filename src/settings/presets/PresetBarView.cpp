#include "settings/presets/PresetBarView.h"

#include "settings/presets/NamePopover.h"
#include "settings/presets/PresetBarChip.h"
#include "ui/KitWidget.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace vellaro {

namespace {

// The chips carry room for their shadows; the row's own spacing makes up the rest.
constexpr int chipMargin = 4;
constexpr int spacing = 8 - 2 * chipMargin, sidePad = 18 - chipMargin, verticalPad = 6 - chipMargin;

} // namespace

PresetBarView::PresetBarView(const Pal& pal, Callbacks callbacks, QWidget* parent)
    : QScrollArea(parent), callbacks_(std::move(callbacks)), row_(new KitWidget(pal)),
      layout_(new QHBoxLayout(row_)), model_({}, {}) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setAttribute(Qt::WA_TranslucentBackground);
    viewport()->setAutoFillBackground(false);
    row_->setAutoFillBackground(false);
    layout_->setContentsMargins(sidePad, verticalPad, sidePad, verticalPad);
    layout_->setSpacing(spacing);
    layout_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setWidget(row_);
    rebuild();
}

PresetBarView::~PresetBarView() {
    if (NamePopover* popover = popover_) {
        popover->disconnect(this);
        delete popover;
    }
}

void PresetBarView::setValues(const std::vector<SectionKind>& current,
                              const std::vector<DialPreset>& userPresets) {
    PresetBarModel next(current, userPresets);
    const bool same = next.sameChips(model_);
    model_ = std::move(next);
    if (same)
        restyle();
    else
        rebuild();
}

std::vector<PresetBarChip*> PresetBarView::chips() const {
    std::vector<PresetBarChip*> all;
    if (custom_->isVisibleTo(row_))
        all.push_back(custom_);
    all.insert(all.end(), presetChips_.begin(), presetChips_.end());
    all.push_back(save_);
    return all;
}

void PresetBarView::rebuild() {
    while (QLayoutItem* item = layout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    presetChips_.clear();
    const Pal& pal = row_->pal();
    custom_ = new PresetBarChip(pal, PresetBarChip::Kind::custom, {}, false, row_);
    layout_->addWidget(custom_);
    for (const PresetBarModel::Chip& entry : model_.chips) {
        auto* chip =
            new PresetBarChip(pal, PresetBarChip::Kind::preset, entry.preset, !entry.builtIn, row_);
        if (chip->menu()) {
            fillMenu(*chip->menu(), chip->preset(), QStringLiteral("Delete"));
            fillMenu(*chip->contextMenu(), chip->preset(), QStringLiteral("Delete Preset"));
        }
        const DialPreset preset = entry.preset;
        connect(chip, &PresetBarChip::clicked, this, [this, preset] { callbacks_.apply(preset); });
        presetChips_.push_back(chip);
        layout_->addWidget(chip);
    }
    save_ = new PresetBarChip(pal, PresetBarChip::Kind::save, {}, false, row_);
    save_->setLook({false, QStringLiteral("Save current…"), QStringLiteral("as a new preset")});
    connect(save_, &PresetBarChip::clicked, this, &PresetBarView::openSavePopover);
    layout_->addWidget(save_);
    layout_->addStretch(1);
    restyle();
    // From the chips themselves: chips made just now are not shown yet, and
    // the row's layout leaves hidden widgets out of its size.
    int chipHeight = save_->sizeHint().height();
    for (const PresetBarChip* chip : presetChips_)
        chipHeight = std::max(chipHeight, chip->sizeHint().height());
    chipHeight = std::max(chipHeight, custom_->sizeHint().height());
    setFixedHeight(chipHeight + 2 * verticalPad);
}

void PresetBarView::restyle() {
    custom_->setVisible(model_.showsCustom());
    custom_->setLook({true, QStringLiteral("Custom"), model_.customDetail});
    for (std::size_t i = 0; i < presetChips_.size(); ++i) {
        const PresetBarModel::Chip& entry = model_.chips[i];
        presetChips_[i]->setLook({entry.active, entry.preset.name, entry.detail});
    }
}

void PresetBarView::fillMenu(QMenu& menu, const DialPreset& preset, const QString& deleteTitle) {
    // Qt menus have no destructive role: the delete entry is a plain one.
    menu.addAction(QStringLiteral("Rename…"), this, [this, preset] { openRenamePopover(preset); });
    menu.addAction(QStringLiteral("Update from Current Dial"), this,
                   [this, preset] { callbacks_.updateFromDial(preset); });
    menu.addSeparator();
    menu.addAction(deleteTitle, this, [this, preset] { callbacks_.remove(preset); });
}

void PresetBarView::openSavePopover() {
    openPopover(QStringLiteral("Save arrangement as"), QString(),
                QRect(save_->mapToGlobal(QPoint()), save_->size()),
                [this](const QString& name) { callbacks_.saveCurrent(name); });
}

void PresetBarView::openRenamePopover(const DialPreset& preset) {
    renameTarget_ = preset;
    openPopover(QStringLiteral("Rename preset"), preset.name, QRect(mapToGlobal(QPoint()), size()),
                [this, preset](const QString& name) { callbacks_.rename(preset, name); });
}

void PresetBarView::openPopover(const QString& title, const QString& initial, const QRect& anchor,
                                std::function<void(const QString&)> commit) {
    const std::optional<DialPreset> target = renameTarget_;
    closePopover();
    renameTarget_ = target;
    auto* popover = new NamePopover(
        row_->pal(), title, initial,
        [this, commit](const QString& name) {
            // Closed first: the callback may rebuild the bar.
            closePopover();
            commit(name);
        },
        this);
    // An outside click closes the popup; only its state goes.
    connect(popover, &NamePopover::closed, this, [this, popover] {
        if (popover_ == popover) {
            renameTarget_.reset();
            popover_ = nullptr;
        }
        popover->deleteLater();
    });
    popover_ = popover;
    popover->popUnder(anchor);
}

void PresetBarView::closePopover() {
    renameTarget_.reset();
    if (NamePopover* popover = popover_) {
        popover_ = nullptr;
        popover->close();
    }
}

void PresetBarView::wheelEvent(QWheelEvent* event) {
    // Plain mice have only the vertical wheel.
    const QPoint delta = event->angleDelta();
    const int step = delta.x() != 0 ? delta.x() : delta.y();
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() - step / 2);
    event->accept();
}

} // namespace vellaro
