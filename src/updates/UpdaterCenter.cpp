#include "updates/UpdaterCenter.h"

#include "platform/session/Defaults.h"
#include "platform/time/QtScheduler.h"
#include "updates/RelativeTime.h"
#include "updates/UpdateWindowController.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

namespace vellaro {

namespace {

qint64 buildNumber(const QString& text) {
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    if (!decimal.match(text).hasMatch())
        return 0;
    bool fits = false;
    const qint64 value = text.toLongLong(&fits);
    return fits ? value : 0;
}

} // namespace

UpdaterCenter::UpdaterCenter(Collaborators c, QObject* parent)
    : QObject(parent), host_(c.host), defaults_(c.defaults), makeWindow_(std::move(c.makeWindow)),
      now_(c.now), driver_(model_, *this) {
    updater_ = std::make_unique<Updater>(
        Updater::Collaborators{c.host, c.install, driver_, c.defaults, c.scheduler, c.now,
                               c.extraCaCertificates,
                               [this](const QList<AppcastItem>& items) {
                                   model_.setNotes(collectNotes(items, host_));
                               },
                               c.relaunch, c.quit},
        this);
    updater_->start();
    if (QCoreApplication::instance()) {
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, updater_.get(),
                &Updater::installOnQuit);
        // The shared center outlives the application; its window must not.
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                [this] { window_.reset(); });
    }
}

UpdaterCenter::~UpdaterCenter() = default;

UpdaterCenter& UpdaterCenter::shared() {
    static UpdaterCenter center(Collaborators{
        HostInfo::ofThisBuild(), InstallLocation::ofThisProcess(), Defaults::shared(),
        QtScheduler::shared(), [](UpdaterCenter& owner) -> std::unique_ptr<UpdateWindowPresenter> {
            return std::make_unique<UpdateWindowController>(owner.model(), owner,
                                                            owner.websiteUrl());
        }});
    return center;
}

QList<ReleaseNotes> UpdaterCenter::collectNotes(const QList<AppcastItem>& items,
                                                const HostInfo& host) {
    const qint64 running = buildNumber(host.buildVersion);
    // A release offered as several packages is one entry; the first with notes speaks for it.
    QList<std::pair<qint64, const AppcastItem*>> newer;
    for (const AppcastItem& item : items) {
        const qint64 build = buildNumber(item.buildVersion);
        if (build <= running || !host.runs(item))
            continue;
        const auto same = std::find_if(newer.begin(), newer.end(),
                                       [build](const auto& kept) { return kept.first == build; });
        if (same == newer.end())
            newer.append({build, &item});
        else if (same->second->description.trimmed().isEmpty())
            same->second = &item;
    }
    std::stable_sort(newer.begin(), newer.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<ReleaseNotes> notes;
    for (const auto& [build, item] : newer)
        notes.append(ReleaseNotes::parse(item->description, item->displayVersion));
    return notes;
}

void UpdaterCenter::checkForUpdates() {
    updater_->checkForUpdates();
}

bool UpdaterCenter::automaticallyChecksForUpdates() const {
    return updater_->automaticallyChecksForUpdates();
}

void UpdaterCenter::setAutomaticallyChecksForUpdates(bool on) {
    updater_->setAutomaticallyChecksForUpdates(on);
}

bool UpdaterCenter::automaticallyDownloadsUpdates() const {
    return updater_->automaticallyDownloadsUpdates();
}

void UpdaterCenter::setAutomaticallyDownloadsUpdates(bool on) {
    updater_->setAutomaticallyDownloadsUpdates(on);
}

void UpdaterCenter::enableAutomaticDownloadsIfUnset() {
    if (defaults_.contains(QString::fromLatin1(Updater::automaticDownloadsKey)))
        return;
    // Installing automatically means nothing without checking.
    updater_->setAutomaticallyDownloadsUpdates(true);
    updater_->setAutomaticallyChecksForUpdates(true);
}

QString UpdaterCenter::lastCheckDescription() const {
    const auto last = updater_->lastUpdateCheckDate();
    if (!last)
        return QStringLiteral("never checked");
    return QStringLiteral("checked ") +
           RelativeTime::shortText(*last, now_ ? now_() : QDateTime::currentDateTimeUtc());
}

QString UpdaterCenter::currentVersion() const {
    return host_.version.isEmpty() ? QStringLiteral("0") : host_.version;
}

bool UpdaterCenter::canUpdate() const {
    return updater_->isStarted();
}

QString UpdaterCenter::cannotUpdateReason() const {
    return updater_->startError();
}

void UpdaterCenter::show() {
    if (!window_ && makeWindow_)
        window_ = makeWindow_(*this);
    if (window_)
        window_->show();
}

void UpdaterCenter::orderOut() {
    if (window_)
        window_->orderOut();
}

} // namespace vellaro
