#include "settings/panes/SectionPanel.h"

#include "model/ActionsPaneSource.h"
#include "model/AppsPaneSource.h"
#include "model/ClipboardPaneSource.h"
#include "model/SettingsStore.h"
#include "model/WindowAppearance.h"
#include "model/WorkspacesPaneSource.h"
#include "settings/kit/ContextPanelIconTile.h"
#include "settings/kit/ContextPanelTitleBlock.h"
#include "settings/kit/PanelText.h"
#include "settings/kit/PermissionRow.h"
#include "settings/model/ContextPanelHost.h"
#include "settings/panes/ActionsPane.h"
#include "settings/panes/AppsPane.h"
#include "settings/panes/ClipboardExclusionsSheet.h"
#include "settings/panes/ClipboardPane.h"
#include "settings/panes/PaneSource.h"
#include "settings/panes/RebuiltColumn.h"
#include "settings/panes/SectionPlacement.h"
#include "settings/panes/WorkspacesPane.h"
#include "ui/KitPaint.h"
#include "ui/VelChipButton.h"
#include "ui/VelDivider.h"
#include "ui/VelRowView.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vellaro {

namespace {
constexpr int groupSpacing = 16;
constexpr int rowSpacing = 9;
} // namespace

SectionPanel::SectionPanel(const Pal& pal, ContextPanelHost& host,
                           const ContextPanelServices& services, QWidget* parent)
    : KitWidget(pal, parent), host_(host), services_(services),
      content_(new RebuiltColumn(pal, groupSpacing, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(content_);
    column->addStretch(1);
    content_->setBuilder([this](QWidget& body, QVBoxLayout& rows) { build(body, rows); });
}

SectionPanel::~SectionPanel() {
    delete sheet_.data();
}

void SectionPanel::showSection(SectionKind kind) {
    kind_ = kind;
    // The back chip that asked may be inside the current content.
    content_->rebuildSoon();
}

void SectionPanel::settingsChanged() {
    if (kind_)
        content_->rebuildSoon();
}

void SectionPanel::palChanged() {
    if (kind_)
        content_->rebuildSoon();
}

void SectionPanel::setAccessibilityTrusted(bool trusted) {
    axTrusted_ = trusted;
    if (windowsAccess_)
        windowsAccess_->setGranted(trusted);
    if (actions_)
        actions_->permissionRow().setGranted(trusted);
}

void SectionPanel::forgetWidgets() {
    back_ = rotateBack_ = rotateForward_ = remove_ = nullptr;
    removeNote_ = false;
    clipboard_ = nullptr;
    workspaces_ = nullptr;
    actions_ = nullptr;
    apps_ = nullptr;
    windowsAccess_ = nullptr;
}

void SectionPanel::addGroup(QWidget& body, QVBoxLayout& column, const QString& heading,
                            QWidget* content) {
    auto* group = new QVBoxLayout;
    group->setSpacing(rowSpacing);
    group->addWidget(PanelText::heading(pal(), heading, &body));
    group->addWidget(content);
    column.addLayout(group);
}

void SectionPanel::build(QWidget& body, QVBoxLayout& column) {
    forgetWidgets();
    if (!kind_)
        return;
    const SectionKind kind = *kind_;
    const SectionPlacement placement = SectionPlacement::of(kind, host_.settings());
    caption_ = placement.caption();

    back_ = new VelChipButton(pal(), {.label = QStringLiteral("‹ Dial")}, &body);
    back_->setToolTip(
        QStringLiteral("Back to dial-wide settings — clicking the wedge or the core works too"));
    connect(back_, &VelChipButton::clicked, this, [this] { host_.setSelection(std::nullopt); });
    column.addWidget(back_, 0, Qt::AlignLeft);

    auto* title = new QHBoxLayout;
    title->setSpacing(10);
    title->addWidget(new ContextPanelIconTile(pal(), sectionSymbol(kind), &body), 0,
                     Qt::AlignVCenter);
    title->addWidget(new ContextPanelTitleBlock(pal(), sectionTitle(kind), caption_, &body), 1,
                     Qt::AlignVCenter);
    column.addLayout(title);

    if (placement.onDial()) {
        auto* chips = new KitWidget(pal(), &body);
        auto* pair = new QHBoxLayout(chips);
        pair->setContentsMargins(0, 0, 0, 0);
        pair->setSpacing(5);
        rotateBack_ = new VelChipButton(pal(), {.label = QStringLiteral("‹")}, chips);
        rotateForward_ = new VelChipButton(pal(), {.label = QStringLiteral("›")}, chips);
        pair->addWidget(rotateBack_);
        pair->addWidget(rotateForward_);
        connect(rotateBack_, &VelChipButton::clicked, this, [this] { rotate(-1); });
        connect(rotateForward_, &VelChipButton::clicked, this, [this] { rotate(+1); });
        addGroup(
            body, column, QStringLiteral("POSITION"),
            new VelRowView(pal(), QStringLiteral("Rotate on dial"), std::nullopt, chips, &body));
    }

    buildPane(kind, body, column);
    column.addWidget(new VelDivider(pal(), &body));

    if (placement.onDial()) {
        remove_ = new VelChipButton(pal(),
                                    {.danger = true,
                                     .disabled = !placement.canRemove(),
                                     .label = QStringLiteral("Remove from dial")},
                                    &body);
        connect(remove_, &VelChipButton::clicked, this, &SectionPanel::removeFromDial);
        auto* block = new QVBoxLayout;
        block->setSpacing(6);
        block->addWidget(remove_, 0, Qt::AlignLeft);
        if (!placement.canRemove()) {
            removeNote_ = true;
            block->addWidget(new PanelText(pal(),
                                           QStringLiteral("At least two sections stay on the dial"),
                                           KitPaint::font(10.5), &Pal::muted, &body));
        }
        column.addLayout(block);
    }
}

void SectionPanel::buildPane(SectionKind kind, QWidget& body, QVBoxLayout& column) {
    switch (kind) {
    case SectionKind::workspaces:
        workspaces_ = new WorkspacesPane(pal(), paneSource<WorkspacesPaneSource>(services_, kind),
                                         services_.dataSource, state_.workspaceNames, &body);
        addGroup(body, column, QStringLiteral("SAVED"), workspaces_);
        break;
    case SectionKind::windows:
        windowsAccess_ = new PermissionRow(pal(), QStringLiteral("Window access"), axTrusted_,
                                           services_.showAccessibilityExplainer, &body);
        addGroup(body, column, QStringLiteral("STATUS"), windowsAccess_);
        break;
    case SectionKind::apps:
        apps_ = new AppsPane(
            pal(), paneSource<AppsPaneSource>(services_, kind), services_.dataSource, state_,
            [this](const QString& message, std::function<void()> undo) {
                host_.showToast(message, std::move(undo));
            },
            &body);
        column.addWidget(apps_);
        break;
    case SectionKind::clipboard:
        clipboard_ = new ClipboardPane(
            pal(), services_.store, paneSource<ClipboardPaneSource>(services_, kind),
            [this] { editExclusions(); }, &body);
        addGroup(body, column, QStringLiteral("PRIVACY"), clipboard_);
        break;
    case SectionKind::actions:
        actions_ =
            new ActionsPane(pal(), services_.store, paneSource<ActionsPaneSource>(services_, kind),
                            axTrusted_, services_.showAccessibilityExplainer, &body);
        column.addWidget(actions_);
        break;
    case SectionKind::files:
    case SectionKind::sound:
        break;
    }
}

void SectionPanel::rotate(int step) {
    services_.store.moveSection(*kind_, step);
    content_->rebuildSoon();
}

void SectionPanel::removeFromDial() {
    services_.store.removeSection(*kind_);
    host_.setSelection(std::nullopt);
}

void SectionPanel::editExclusions() {
    if (sheet_) {
        sheet_->raise();
        sheet_->activateWindow();
        return;
    }
    AppsPaneSource* apps = paneSource<AppsPaneSource>(services_, SectionKind::apps);
    ClipboardExclusionsSheet::LookUp lookUp;
    if (apps)
        lookUp = [apps](const QString& bundleID) { return apps->lookUp(bundleID); };
    // The console's colours, in the scheme they belong to.
    const Pal& pal = host_.pal();
    const ColorScheme scheme =
        pal.panel.lightnessF() < 0.5 ? ColorScheme::dark : ColorScheme::light;
    auto* sheet =
        new ClipboardExclusionsSheet(services_.store, std::move(lookUp), services_.pickApps,
                                     WindowAppearance::palette(pal, scheme), window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet_ = sheet;
    sheet->open();
}

} // namespace vellaro
