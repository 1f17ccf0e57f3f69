#include "settings/panes/ActionsPane.h"

#include "model/ActionsPaneSource.h"
#include "model/SettingsStore.h"
#include "settings/kit/PanelNote.h"
#include "settings/kit/PanelText.h"
#include "settings/kit/PermissionRow.h"
#include "ui/VelChipButton.h"

#include <QVBoxLayout>

namespace vellaro {

ActionsPane::ActionsPane(const Pal& pal, SettingsStore& store, ActionsPaneSource* source,
                         bool axTrusted, std::function<void()> showExplainer, QWidget* parent)
    : KitWidget(pal, parent),
      permission_(new PermissionRow(pal, QStringLiteral("Window access"), axTrusted,
                                    std::move(showExplainer), this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(9);
    const auto note = [&](const QString& text) {
        column->addWidget(new PanelNote(pal, text, 10.5, &Pal::muted, this));
    };
    column->addWidget(PanelText::heading(pal, QStringLiteral("STATUS"), this));
    column->addWidget(permission_);
    note(QStringLiteral("Paste needs Window access; Dark Mode and Do Not Disturb switch your "
                        "desktop's own settings."));

    const std::vector<std::pair<QString, QString>> hidden =
        source ? source->hiddenActionList() : std::vector<std::pair<QString, QString>>{};
    if (hidden.empty())
        return;
    column->addSpacing(7);
    column->addWidget(PanelText::heading(pal, QStringLiteral("HIDDEN"), this));
    note(QStringLiteral("Dragged off the fan — click to bring back."));
    for (const auto& [id, label] : hidden) {
        auto* chip =
            new VelChipButton(pal, {.dashed = true, .label = QStringLiteral("＋ ") + label}, this);
        column->addWidget(chip, 0, Qt::AlignLeft);
        hiddenChips_.append(chip);
        connect(chip, &VelChipButton::clicked, this,
                [&store, id = id] { store.restoreAction(id); });
    }
}

} // namespace vellaro
