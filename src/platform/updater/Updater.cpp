#include "platform/updater/Updater.h"

#include "core/VersionComparator.h"
#include "platform/session/Defaults.h"
#include "platform/updater/Appcast.h"
#include "platform/updater/HttpsTransfer.h"
#include "platform/updater/Logging.h"
#include "platform/updater/Relauncher.h"
#include "platform/updater/UpdateInstaller.h"

#include <QCoreApplication>
#include <QtConcurrent>

namespace vellaro {

namespace {

QString key(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

Updater::Updater(Collaborators collaborators, QObject* parent)
    : QObject(parent), c_(std::move(collaborators)), staging_(c_.install), appcastSink_(&appcast_) {
    connect(&preparation_, &QFutureWatcher<QString>::finished, this,
            [this] { prepared(preparation_.result()); });
}

Updater::~Updater() {
    c_.scheduler.cancel(checkTask_);
    stopTransfer();
    preparation_.waitForFinished();
}

bool Updater::start() {
    if (!c_.install.canUpdate()) {
        // The normal state of a copy someone else updates: nothing failed.
        startError_ = c_.install.reason;
        qCInfo(lcUpdates).noquote()
            << QStringLiteral("Updates are off: %1 (%2 is neither an AppImage nor a versioned "
                              "install)")
                   .arg(startError_, c_.install.launcherPath);
        return false;
    }
    startError_ = c_.host.whyUnusable();
    if (!startError_.isEmpty()) {
        qCCritical(lcUpdates).noquote() << "Updater failed to start:" << startError_;
        return false;
    }
    started_ = true;
    staging_.removeLeftovers();
    if (automaticallyChecksForUpdates())
        scheduleFirstCheck();
    return true;
}

bool Updater::automaticallyChecksForUpdates() const {
    const QVariant value = c_.defaults.value(key(automaticChecksKey));
    return !value.isValid() || c_.defaults.boolValue(key(automaticChecksKey));
}

void Updater::setAutomaticallyChecksForUpdates(bool on) {
    c_.defaults.setValue(key(automaticChecksKey), on);
    if (!on) {
        c_.scheduler.cancel(checkTask_);
        checkTask_ = 0;
    } else if (started_ && checkTask_ == 0) {
        scheduleFirstCheck();
    }
}

bool Updater::automaticallyDownloadsUpdates() const {
    return c_.defaults.boolValue(key(automaticDownloadsKey));
}

void Updater::setAutomaticallyDownloadsUpdates(bool on) {
    c_.defaults.setValue(key(automaticDownloadsKey), on);
}

std::optional<QDateTime> Updater::lastUpdateCheckDate() const {
    const QDateTime last =
        QDateTime::fromString(c_.defaults.value(key(lastCheckKey)).toString(), Qt::ISODate);
    return last.isValid() ? std::optional(last) : std::nullopt;
}

QDateTime Updater::now() const {
    return c_.now ? c_.now() : QDateTime::currentDateTimeUtc();
}

std::function<void()> Updater::once(Step step, std::function<void()> action) {
    auto used = std::make_shared<bool>(false);
    const quint64 generation = generation_;
    return [this, guard = QPointer<Updater>(this), used, generation, step,
            action = std::move(action)] {
        if (*used || !guard || generation_ != generation || step_ != step)
            return;
        *used = true;
        action();
    };
}

void Updater::checkForUpdates() {
    if (!started_) {
        // Nothing can be checked; say why rather than showing nothing.
        visible_ = true;
        c_.driver.showUserInitiatedUpdateCheck([] {});
        c_.driver.showUpdaterError(startError_, [this, guard = QPointer<Updater>(this)] {
            if (guard && step_ == Step::idle)
                c_.driver.dismissUpdateInstallation();
        });
        return;
    }
    if (step_ == Step::checking && !userInitiated_) {
        userInitiated_ = visible_ = true;
        c_.driver.showUserInitiatedUpdateCheck(once(Step::checking, [this] { cancel(); }));
        return;
    }
    if (step_ != Step::idle) {
        c_.driver.showUpdateInFocus();
        return;
    }
    beginCheck(true);
}

QNetworkAccessManager& Updater::network() {
    if (!network_)
        network_ = std::make_unique<QNetworkAccessManager>();
    return *network_;
}

void Updater::beginCheck(bool userInitiated) {
    ++generation_;
    step_ = Step::checking;
    userInitiated_ = visible_ = userInitiated;
    appcast_.clear();
    appcastSink_.close();
    appcastSink_.open(QIODevice::WriteOnly);
    transfer_ = std::make_unique<HttpsTransfer>(
        network(), c_.scheduler, appcastSink_,
        HttpsTransfer::Limits{Appcast::maximumSize, checkDeadline}, c_.extraCaCertificates);
    connect(transfer_.get(), &HttpsTransfer::finished, this, &Updater::appcastFetched);
    transfer_->start(c_.host.appcastUrl);
    // Told last: the driver may cancel from inside the call.
    if (userInitiated)
        c_.driver.showUserInitiatedUpdateCheck(once(Step::checking, [this] { cancel(); }));
}

void Updater::appcastFetched(const QString& error) {
    stopTransfer();
    appcastSink_.close();
    if (!error.isEmpty()) {
        fail(error);
        return;
    }
    QString parseError;
    const QList<AppcastItem> items = Appcast::parse(appcast_, &parseError);
    if (!parseError.isEmpty()) {
        fail(parseError);
        return;
    }
    c_.defaults.setValue(key(lastCheckKey), now().toUTC().toString(Qt::ISODate));
    if (c_.didFinishLoadingAppcast)
        c_.didFinishLoadingAppcast(items);
    const auto newest = newestOfOurs(items);
    if (!newest) {
        if (!userInitiated_) {
            qCInfo(lcUpdates) << "No update available";
            endFlow();
            return;
        }
        step_ = Step::acknowledging;
        c_.driver.showUpdateNotFound(once(Step::acknowledging, [this] { endFlow(); }));
        return;
    }
    if (!newest->defect.isEmpty()) {
        fail(newest->defect);
        return;
    }
    offer(*newest);
}

std::optional<AppcastItem> Updater::newestOfOurs(const QList<AppcastItem>& items) const {
    std::optional<AppcastItem> newest;
    const QString type = c_.install.packageType();
    for (const AppcastItem& item : items) {
        if (!c_.host.runs(item) || item.type != type)
            continue;
        if (VersionComparator::compare(item.buildVersion, c_.host.buildVersion) <= 0)
            continue;
        if (!newest || VersionComparator::compare(item.buildVersion, newest->buildVersion) > 0)
            newest = item;
    }
    return newest;
}

void Updater::offer(const AppcastItem& item) {
    item_ = item;
    const bool staged = staging_.isStaged(item.buildVersion);
    if (!userInitiated_ && automaticallyDownloadsUpdates()) {
        if (!staged) {
            download();
            return;
        }
        waitingForQuit_ = item;
        endFlow();
        return;
    }
    step_ = Step::offering;
    visible_ = true;
    c_.driver.showUpdateFound(
        item, staged ? UpdateStage::downloaded : UpdateStage::notDownloaded,
        // Every choice moves the flow on, so a second call finds another step.
        [this, guard = QPointer<Updater>(this), staged,
         generation = generation_](UpdateChoice choice) {
            if (!guard || generation_ != generation || step_ != Step::offering)
                return;
            if (choice != UpdateChoice::install)
                endFlow();
            else if (staged)
                installNow();
            else
                download();
        });
}

void Updater::download() {
    step_ = Step::downloading;
    const QString path = staging_.downloadPath(item_.buildVersion);
    QFile::remove(path);
    downloadFile_.setFileName(path);
    if (!downloadFile_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        fail(QStringLiteral("The update could not be saved: %1").arg(downloadFile_.errorString()));
        return;
    }
    transfer_ = std::make_unique<HttpsTransfer>(
        network(), c_.scheduler, downloadFile_,
        HttpsTransfer::Limits{item_.length, downloadDeadline}, c_.extraCaCertificates);
    connect(transfer_.get(), &HttpsTransfer::received, this, [this](qint64 bytes) {
        if (visible_)
            c_.driver.showDownloadDidReceiveDataOfLength(quint64(bytes));
    });
    connect(transfer_.get(), &HttpsTransfer::finished, this, &Updater::downloaded);
    transfer_->start(item_.url);
    if (!visible_)
        return;
    // The driver may cancel from inside the call.
    const quint64 generation = generation_;
    c_.driver.showDownloadInitiated(once(Step::downloading, [this] { cancel(); }));
    if (generation_ == generation)
        c_.driver.showDownloadDidReceiveExpectedContentLength(quint64(item_.length));
}

void Updater::downloaded(const QString& error) {
    stopTransfer();
    if (!error.isEmpty()) {
        fail(error);
        return;
    }
    if (!downloadFile_.flush()) {
        fail(QStringLiteral("The update could not be saved: %1").arg(downloadFile_.errorString()));
        return;
    }
    downloadFile_.close();
    step_ = Step::preparing;
    if (visible_)
        c_.driver.showDownloadDidStartExtractingUpdate();
    const quint64 generation = generation_;
    const auto progress = [this, generation](double fraction) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, fraction] {
                if (visible_ && generation_ == generation && step_ == Step::preparing)
                    c_.driver.showExtractionReceivedProgress(fraction);
            },
            Qt::QueuedConnection);
    };
    preparation_.setFuture(
        QtConcurrent::run([staging = staging_, item = item_, key = c_.host.publicKey, progress] {
            return staging.verifyAndStage(item, key, progress);
        }));
}

void Updater::prepared(const QString& error) {
    if (step_ != Step::preparing)
        return;
    if (!error.isEmpty()) {
        fail(error);
        return;
    }
    if (!visible_) {
        waitingForQuit_ = item_;
        qCInfo(lcUpdates).noquote() << "Vellaro" << item_.displayVersion
                                    << "was downloaded; it installs when Vellaro quits";
        endFlow();
        return;
    }
    step_ = Step::readyToInstall;
    c_.driver.showReadyToInstallAndRelaunch(
        [this, guard = QPointer<Updater>(this), generation = generation_](UpdateChoice choice) {
            if (!guard || generation_ != generation || step_ != Step::readyToInstall)
                return;
            if (choice == UpdateChoice::install) {
                installNow();
                return;
            }
            waitingForQuit_ = item_;
            endFlow();
        });
}

void Updater::installNow() {
    step_ = Step::installing;
    c_.driver.showInstallingUpdate();
    const QString error = UpdateInstaller::install(
        c_.install, staging_.stagedPath(item_.buildVersion), item_.buildVersion);
    if (!error.isEmpty()) {
        fail(error);
        return;
    }
    waitingForQuit_.reset();
    qCInfo(lcUpdates).noquote() << "Installed Vellaro" << item_.displayVersion << "; relaunching";
    const bool relaunched = c_.relaunch ? c_.relaunch(c_.install.launcherPath)
                                        : Relauncher::start(c_.install.launcherPath,
                                                            QCoreApplication::applicationPid());
    c_.driver.showUpdateInstalledAndRelaunched(relaunched, [] {});
    endFlow();
    if (c_.quit)
        c_.quit();
    else
        QCoreApplication::quit();
}

void Updater::installOnQuit() {
    if (!waitingForQuit_ || step_ == Step::installing)
        return;
    const AppcastItem item = *std::exchange(waitingForQuit_, std::nullopt);
    if (!staging_.isStaged(item.buildVersion)) {
        qCWarning(lcUpdates) << "The update to install on quit is gone";
        return;
    }
    const QString error = UpdateInstaller::install(
        c_.install, staging_.stagedPath(item.buildVersion), item.buildVersion);
    if (error.isEmpty())
        qCInfo(lcUpdates).noquote() << "Installed Vellaro" << item.displayVersion << "on quit";
    else
        qCWarning(lcUpdates).noquote() << "Installing on quit failed:" << error;
}

void Updater::cancel() {
    if (step_ != Step::checking && step_ != Step::downloading)
        return;
    endFlow();
}

void Updater::fail(const QString& error) {
    const bool wasDownloading = step_ == Step::downloading;
    stopTransfer();
    if (wasDownloading)
        staging_.removeDownload(item_.buildVersion);
    if (!visible_) {
        qCWarning(lcUpdates).noquote() << "Update check failed:" << error;
        endFlow();
        return;
    }
    step_ = Step::acknowledging;
    c_.driver.showUpdaterError(error, once(Step::acknowledging, [this] { endFlow(); }));
}

void Updater::endFlow() {
    const bool wasDownloading = step_ == Step::downloading;
    stopTransfer();
    if (wasDownloading)
        staging_.removeDownload(item_.buildVersion);
    step_ = Step::idle;
    ++generation_;
    if (std::exchange(visible_, false))
        c_.driver.dismissUpdateInstallation();
}

void Updater::stopTransfer() {
    if (transfer_) {
        transfer_->abort();
        transfer_.release()->deleteLater();
    }
    if (downloadFile_.isOpen())
        downloadFile_.close();
}

void Updater::scheduleCheck(Scheduler::Duration delay) {
    c_.scheduler.cancel(checkTask_);
    checkTask_ = c_.scheduler.schedule(delay, [this] { scheduledCheck(); });
}

void Updater::scheduleFirstCheck() {
    Scheduler::Duration delay = firstCheckDelay;
    if (const auto last = lastUpdateCheckDate()) {
        const auto since = std::chrono::milliseconds(last->msecsTo(now()));
        if (since >= std::chrono::milliseconds(0) && since < checkInterval)
            delay = std::max<Scheduler::Duration>(firstCheckDelay, checkInterval - since);
    }
    scheduleCheck(delay);
}

void Updater::scheduledCheck() {
    checkTask_ = 0;
    if (!automaticallyChecksForUpdates())
        return;
    scheduleCheck(checkInterval);
    if (step_ == Step::idle && !waitingForQuit_)
        beginCheck(false);
}

} // namespace vellaro
