#pragma once

#include "platform/updater/HostInfo.h"
#include "platform/updater/InstallLocation.h"
#include "platform/updater/Updater.h"
#include "updates/UpdateControls.h"
#include "updates/UpdateViewModel.h"
#include "updates/UpdateWindowPresenter.h"
#include "updates/VellaroUserDriver.h"

#include <QObject>

#include <functional>
#include <memory>

namespace vellaro {

class Defaults;
class Scheduler;

// The program's update service: owns the updater, its user driver and the
// model the update window shows, collects the release notes of every newer
// item, and answers the console and the setup assistant. Main thread.
class UpdaterCenter : public QObject, public UpdateControls, private UpdateWindowPresenter {
    Q_OBJECT

public:
    using WindowFactory = std::function<std::unique_ptr<UpdateWindowPresenter>(UpdaterCenter&)>;

    struct Collaborators {
        HostInfo host;
        InstallLocation install;
        Defaults& defaults;
        Scheduler& scheduler;
        // Builds the update window on its first show.
        WindowFactory makeWindow;
        std::function<QDateTime()> now = {};               // the system's when empty
        QList<QSslCertificate> extraCaCertificates = {};   // tests
        std::function<bool(const QString&)> relaunch = {}; // Relauncher when empty
        std::function<void()> quit = {};                   // quits Qt when empty
    };

    // Starts the updater (a failure is logged, and every check then shows
    // why) and installs a waiting update when the program quits.
    explicit UpdaterCenter(Collaborators collaborators, QObject* parent = nullptr);
    ~UpdaterCenter() override;

    // The program's own: this build, this install, the shared defaults and
    // scheduler, the real update window.
    static UpdaterCenter& shared();

    UpdateViewModel& model() { return model_; }
    Updater& updater() { return *updater_; }
    QUrl websiteUrl() const { return host_.websiteUrl; }

    void checkForUpdates() override;
    bool automaticallyChecksForUpdates() const override;
    void setAutomaticallyChecksForUpdates(bool on) override;
    bool automaticallyDownloadsUpdates() const override;
    void setAutomaticallyDownloadsUpdates(bool on) override;
    void enableAutomaticDownloadsIfUnset() override;
    QString lastCheckDescription() const override;
    QString currentVersion() const override;
    bool canUpdate() const override;
    QString cannotUpdateReason() const override;

    // The notes of every item this host could install whose build number is
    // above the running one, largest first, one entry per build (the first
    // item of a build that has notes). Build numbers are read as decimal
    // integers; anything else counts as 0.
    static QList<ReleaseNotes> collectNotes(const QList<AppcastItem>& items, const HostInfo& host);

private:
    void show() override;
    void orderOut() override;

    HostInfo host_;
    Defaults& defaults_;
    WindowFactory makeWindow_;
    std::function<QDateTime()> now_;
    UpdateViewModel model_;
    VellaroUserDriver driver_;
    std::unique_ptr<Updater> updater_;
    std::unique_ptr<UpdateWindowPresenter> window_;
};

} // namespace vellaro
