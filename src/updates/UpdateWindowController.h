#pragma once

#include "model/SettingsStore.h"
#include "updates/UpdateWindowPresenter.h"

#include <QObject>
#include <QUrl>

#include <memory>

namespace vellaro {

class Appearance;
class UpdateControls;
class UpdateRootView;
class UpdateViewModel;

// The "Vellaro Update" window: built on the first show, centred then and
// never again, kept when closed. Every show re-reads the automatic-install
// flag for the checkbox, applies the console windows' appearance and
// brings the window forward; one settings observer, added on the first
// show, re-applies the appearance after every settings change.
class UpdateWindowController : public QObject, public UpdateWindowPresenter {
    Q_OBJECT

public:
    UpdateWindowController(UpdateViewModel& model, UpdateControls& controls, const QUrl& website);
    UpdateWindowController(UpdateViewModel& model, UpdateControls& controls, const QUrl& website,
                           SettingsStore& settings, Appearance& appearance);
    ~UpdateWindowController() override;

    void show() override;
    void orderOut() override;

    // Empty until the first show.
    UpdateRootView* window() const { return window_.get(); }
    bool isObserving() const { return observer_.has_value(); }

private:
    void applyAppearance();

    UpdateViewModel& model_;
    UpdateControls& controls_;
    QUrl website_;
    SettingsStore& settings_;
    Appearance& appearance_;
    std::unique_ptr<UpdateRootView> window_;
    std::optional<SettingsStore::ObserverToken> observer_;
};

} // namespace vellaro
