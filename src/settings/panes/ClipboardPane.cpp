#include "settings/panes/ClipboardPane.h"

#include "model/ClipboardPaneSource.h"
#include "model/SettingsStore.h"
#include "ui/VelChipButton.h"
#include "ui/VelRowView.h"
#include "ui/VelSeg.h"

#include <QVBoxLayout>

namespace vellaro {

ClipboardPane::ClipboardPane(const Pal& pal, SettingsStore& store, ClipboardPaneSource* source,
                             std::function<void()> editExclusions, QWidget* parent)
    : KitWidget(pal, parent) {
    const VellaroSettings& settings = store.settings();
    keep_ = new VelSeg(pal, {QStringLiteral("10"), QStringLiteral("25"), QStringLiteral("50")},
                       QString::number(settings.clipboardRetention));
    edit_ = new VelChipButton(pal, {.label = QStringLiteral("Edit…")});
    clear_ = new VelChipButton(
        pal, {.danger = true, .disabled = source == nullptr, .label = QStringLiteral("Clear")});

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(9);
    column->addWidget(new VelRowView(pal, QStringLiteral("Keep"), std::nullopt, keep_, this));
    column->addWidget(new VelRowView(
        pal, QStringLiteral("Do not record while active"),
        exclusionCaption(static_cast<qsizetype>(settings.clipboardExcluded.size())), edit_, this));
    column->addWidget(new VelRowView(pal, QStringLiteral("History"), std::nullopt, clear_, this));

    connect(keep_, &VelSeg::chosen, this,
            [&store](const QString& option) { store.setClipboardRetention(option); });
    connect(edit_, &VelChipButton::clicked, this, std::move(editExclusions));
    if (source)
        connect(clear_, &VelChipButton::clicked, this, [source] { source->clearHistory(); });
}

QString ClipboardPane::exclusionCaption(qsizetype count) {
    return QString::number(count) + QStringLiteral(" apps excluded");
}

} // namespace vellaro
