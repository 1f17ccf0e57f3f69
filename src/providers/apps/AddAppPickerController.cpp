#include "providers/apps/AddAppPickerController.h"

#include "model/MenuDataSource.h"
#include "providers/apps/AddAppPickerView.h"
#include "providers/apps/AppsProvider.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace vellaro {

AddAppPickerController::AddAppPickerController(AppsProvider& provider) : provider_(provider) {}

AddAppPickerController::~AddAppPickerController() = default;

AddAppPickerController& AddAppPickerController::shared() {
    static AddAppPickerController* controller = [] {
        AppsProvider* apps = appsProvider(MenuDataSource::shared());
        Q_ASSERT(apps);
        return new AddAppPickerController(*apps);
    }();
    return *controller;
}

void AddAppPickerController::show() {
    if (!window_) {
        auto* window =
            new QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                     Qt::CustomizeWindowHint);
        window->setWindowTitle(QStringLiteral("Add Apps to Vellaro"));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        AppsProvider& provider = provider_;
        layout->addWidget(new AddAppPickerView(
            provider.pinnedBundleIDs(),
            [&provider](AddAppPickerView::Receiver receiver) {
                provider.index().apps(std::move(receiver));
            },
            [this, &provider](const std::vector<InstalledApp>& apps) {
                provider.add(apps);
                window_.drop();
            },
            [this] { window_.drop(); }, AddAppPickerView::desktopEntryIcon(), window));
        window->setFixedSize(window->sizeHint());
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            window->move(screen->availableGeometry().center() - window->rect().center());
        window_.set(window);
    }
    window_.present();
}

} // namespace vellaro
