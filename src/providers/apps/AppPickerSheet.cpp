#include "providers/apps/AppPickerSheet.h"

#include "providers/apps/AddAppPickerView.h"
#include "providers/apps/AppsProvider.h"

#include <QDialog>
#include <QPointer>
#include <QVBoxLayout>

namespace vellaro {

void showAppPickerSheet(AppsProvider& provider, QWidget* parent, const QSet<QString>& alreadyTaken,
                        std::function<void(const std::vector<InstalledApp>&)> onAdd) {
    auto* sheet = new QDialog(parent);
    sheet->setWindowTitle(QStringLiteral("Add Apps"));
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<QDialog> guard(sheet);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new AddAppPickerView(
        alreadyTaken,
        [&provider](AddAppPickerView::Receiver receiver) {
            provider.index().apps(std::move(receiver));
        },
        [guard, onAdd = std::move(onAdd)](const std::vector<InstalledApp>& apps) {
            onAdd(apps);
            if (guard)
                guard->accept();
        },
        [guard] {
            if (guard)
                guard->reject();
        },
        AddAppPickerView::desktopEntryIcon(), sheet));
    sheet->setFixedSize(sheet->sizeHint());
    sheet->open();
}

} // namespace vellaro
