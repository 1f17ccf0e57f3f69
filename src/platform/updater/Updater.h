#pragma once

#include "platform/time/Scheduler.h"
#include "platform/updater/AppcastItem.h"
#include "platform/updater/HostInfo.h"
#include "platform/updater/InstallLocation.h"
#include "platform/updater/UpdateStaging.h"
#include "platform/updater/UpdateUserDriver.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFutureWatcher>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSslCertificate>

#include <functional>
#include <memory>
#include <optional>

namespace vellaro {

class Defaults;
class HttpsTransfer;

// The update engine: reads the signed feed, offers the newest release of
// ours, downloads it beside the install, checks length and signature before
// anything opens it, stages it and installs it by a rename, now (with a
// relaunch) or when the program quits. It asks and tells through the user
// driver and never draws. Main thread only.
class Updater : public QObject {
    Q_OBJECT

public:
    static constexpr const char* automaticDownloadsKey = "SUAutomaticallyUpdate";
    static constexpr const char* automaticChecksKey = "SUEnableAutomaticChecks";
    static constexpr const char* lastCheckKey = "SULastCheckTime";
    static constexpr std::chrono::seconds firstCheckDelay{60};
    static constexpr std::chrono::hours checkInterval{24};
    // However slowly a server answers, a check or a download ends by then.
    static constexpr std::chrono::minutes checkDeadline{1};
    static constexpr std::chrono::minutes downloadDeadline{30};

    struct Collaborators {
        HostInfo host;
        InstallLocation install;
        UpdateUserDriver& driver;
        Defaults& defaults;
        Scheduler& scheduler;
        std::function<QDateTime()> now; // wall clock; the system's when empty
        QList<QSslCertificate> extraCaCertificates;
        // Every item of each feed that loaded, in feed order.
        std::function<void(const QList<AppcastItem>&)> didFinishLoadingAppcast;
        // Starts the installed copy after this process; Relauncher when empty.
        std::function<bool(const QString& launcher)> relaunch;
        // Ends the program after an install with relaunch; quits Qt when empty.
        std::function<void()> quit;
    };

    explicit Updater(Collaborators collaborators, QObject* parent = nullptr);
    ~Updater() override;

    // Checks that this copy can update itself and plans the automatic
    // checks. A copy installed otherwise logs why at info level; a build
    // without a feed or key logs "Updater failed to start: <reason>".
    bool start();
    bool isStarted() const { return started_; }
    // Why the updater cannot run (empty once started).
    QString startError() const { return startError_; }

    // A check the person asked for: every outcome reaches the driver.
    void checkForUpdates();

    bool automaticallyChecksForUpdates() const;
    void setAutomaticallyChecksForUpdates(bool on);
    bool automaticallyDownloadsUpdates() const;
    void setAutomaticallyDownloadsUpdates(bool on);
    std::optional<QDateTime> lastUpdateCheckDate() const;

    // Installs an update left to install on quit (the program connects it
    // to aboutToQuit). No relaunch.
    void installOnQuit();

    bool isIdle() const { return step_ == Step::idle; }
    bool hasUpdateForQuit() const { return waitingForQuit_.has_value(); }
    const HostInfo& host() const { return c_.host; }
    const InstallLocation& installLocation() const { return c_.install; }

private:
    enum class Step {
        idle,
        checking,
        acknowledging,
        offering,
        downloading,
        preparing,
        readyToInstall,
        installing
    };

    void beginCheck(bool userInitiated);
    void appcastFetched(const QString& error);
    std::optional<AppcastItem> newestOfOurs(const QList<AppcastItem>& items) const;
    void offer(const AppcastItem& item);
    void download();
    void downloaded(const QString& error);
    void prepared(const QString& error);
    void installNow();
    void cancel();
    void fail(const QString& error);
    void endFlow();
    void stopTransfer();
    void scheduleCheck(Scheduler::Duration delay);
    void scheduleFirstCheck();
    void scheduledCheck();
    QDateTime now() const;
    // A reply that acts once, and only while the flow is still at `step`.
    std::function<void()> once(Step step, std::function<void()> action);

    Collaborators c_;
    UpdateStaging staging_;
    // Made at the first transfer: a copy that never checks never loads it.
    std::unique_ptr<QNetworkAccessManager> network_;
    QNetworkAccessManager& network();
    bool started_ = false;
    QString startError_;
    Step step_ = Step::idle;
    bool userInitiated_ = false;
    bool visible_ = false; // the driver has been shown this flow
    quint64 generation_ = 0;
    AppcastItem item_;
    QByteArray appcast_;
    QBuffer appcastSink_;
    QFile downloadFile_;
    std::unique_ptr<HttpsTransfer> transfer_;
    QFutureWatcher<QString> preparation_;
    std::optional<AppcastItem> waitingForQuit_;
    Scheduler::TaskId checkTask_ = 0;
};

} // namespace vellaro
