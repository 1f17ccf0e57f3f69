#include "settings/panel/UpdatesGroup.h"

#include "settings/kit/PanelText.h"
#include "settings/panel/DialWideText.h"
#include "ui/VelChipButton.h"
#include "ui/VelRowView.h"
#include "ui/VelToggleRow.h"
#include "updates/UpdateControls.h"

#include <QVBoxLayout>

namespace vellaro {

UpdatesGroup::UpdatesGroup(const Pal& pal, UpdateControls& updates, QWidget* parent)
    : KitWidget(pal, parent), updates_(updates), versionSlot_(new QWidget(this)),
      checkNow_(new VelChipButton(pal, {.label = QStringLiteral("Check Now")})),
      checkRow_(new VelToggleRow(pal, QStringLiteral("Check automatically"),
                                 QStringLiteral("Once a day, in the background"), autoCheck_,
                                 std::nullopt, this)),
      installRow_(new VelToggleRow(
          pal, QStringLiteral("Install automatically"),
          QStringLiteral("Silent download, installs on quit — see what's new after"), autoInstall_,
          std::nullopt, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(9);
    column->addWidget(PanelText::heading(pal, QStringLiteral("UPDATES"), this));
    auto* slot = new QVBoxLayout(versionSlot_);
    slot->setContentsMargins(0, 0, 0, 0);
    column->addWidget(versionSlot_);
    column->addWidget(checkRow_);
    column->addWidget(installRow_);
    connect(checkNow_, &VelChipButton::clicked, this, [this] { updates_.checkForUpdates(); });
    connect(checkRow_, &VelToggleRow::toggled, this, &UpdatesGroup::setAutoCheck);
    connect(installRow_, &VelToggleRow::toggled, this, &UpdatesGroup::setAutoInstall);
    reload();
}

void UpdatesGroup::setAutoCheck(bool on) {
    autoCheck_ = on;
    updates_.setAutomaticallyChecksForUpdates(on);
    showFlags();
}

void UpdatesGroup::setAutoInstall(bool on) {
    autoInstall_ = on;
    updates_.setAutomaticallyDownloadsUpdates(on);
    // Installing without checking cannot happen; turning installs off
    // leaves checking as it is.
    if (on) {
        autoCheck_ = true;
        updates_.setAutomaticallyChecksForUpdates(true);
    }
    showFlags();
}

void UpdatesGroup::reload() {
    autoCheck_ = updates_.automaticallyChecksForUpdates();
    autoInstall_ = updates_.automaticallyDownloadsUpdates();
    showFlags();
    // The row's label and caption are fixed at construction: build it anew,
    // keeping the chip.
    VelRowView* old = versionRow_;
    versionRow_ =
        new VelRowView(pal(), QStringLiteral("Vellaro ") + DialWideText::applicationVersion(),
                       updates_.lastCheckDescription(), checkNow_, versionSlot_);
    versionSlot_->layout()->addWidget(versionRow_);
    delete old;
}

void UpdatesGroup::showFlags() {
    checkRow_->setOn(autoCheck_);
    installRow_->setOn(autoInstall_);
}

void UpdatesGroup::showEvent(QShowEvent* event) {
    KitWidget::showEvent(event);
    reload();
}

} // namespace vellaro
