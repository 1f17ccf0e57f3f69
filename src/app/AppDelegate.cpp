#include "app/AppDelegate.h"

#include "app/HapticsNudgeService.h"
#include "app/HintLine.h"
#include "app/HotKeyCenter.h"
#include "app/Logging.h"
#include "app/MouseTriggerCenter.h"
#include "app/SettingsConsole.h"
#include "app/SetupAssistant.h"
#include "app/StatusItem.h"
#include "app/UpdateService.h"
#include "model/EffectiveSections.h"
#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "platform/session/Appearance.h"
#include "platform/session/Notifications.h"

#include <QCoreApplication>
#include <QCursor>
#include <QSystemTrayIcon>

namespace vellaro {

AppDelegate::AppDelegate(Services services, LaunchRequest request, QObject* parent)
    : QObject(parent), s_(std::move(services)), request_(std::move(request)) {}

AppDelegate::~AppDelegate() {
    s_.hotKeys.onHotKeyDown = nullptr;
    s_.hotKeys.onHotKeyUp = nullptr;
    s_.mouseTrigger.onTriggerDown = nullptr;
    s_.mouseTrigger.onTriggerUp = nullptr;
    if (settingsObserver_ != 0)
        s_.settings.removeObserver(settingsObserver_);
    overlay_.reset();
}

OverlayController::DialSettings AppDelegate::dialSettings(const SettingsStore& store) {
    const VellaroSettings& settings = store.settings();
    return {scaleFactor(settings.scale), effectiveSections(settings),
            settings.clampedGestureHoldMS()};
}

QString AppDelegate::hintText() const {
    const VellaroSettings& settings = s_.settings.settings();
    return HintLine::text(settings.clampedMouseTriggerButton(), settings.hotKeyCode,
                          settings.hotKeyModifiers,
                          s_.hotKeys.statusOf(settings.hotKeyCode, settings.hotKeyModifiers));
}

void AppDelegate::openAtPointer() {
    if (overlay_)
        overlay_->show(QCursor::pos());
}

void AppDelegate::perform(std::uint32_t actions) {
    if ((actions & LaunchRequest::quit) != 0) {
        qCInfo(appLog) << "Asked to quit";
        QCoreApplication::quit();
        return;
    }
    if ((actions & LaunchRequest::openSettings) != 0) {
        qCInfo(appLog) << "Asked for the settings console";
        s_.settingsConsole.show();
    }
    if ((actions & LaunchRequest::setup) != 0) {
        qCInfo(appLog) << "Asked for the setup assistant";
        s_.setupAssistant.show(true);
    }
    if ((actions & LaunchRequest::checkForUpdates) != 0) {
        qCInfo(appLog) << "Asked to check for updates";
        s_.updates.checkForUpdates();
    }
}

void AppDelegate::applicationDidFinishLaunching() {
    // No application menu: Qt's text fields bring their own edit bindings.
    statusItem_ = std::make_unique<StatusItem>(StatusItem::Collaborators{
        s_.scheduler, s_.settingsConsole, s_.setupAssistant, s_.updates,
        [this] { openAtPointer(); }, [this] { return hintText(); },
        [this] { return s_.appearance.reduceMotion(); }, [this] { return s_.appearance.isDark(); },
        &QSystemTrayIcon::isSystemTrayAvailable});

    MenuDataSource& dataSource = s_.dataSource();
    overlay_ = std::make_unique<OverlayController>(OverlayController::Collaborators{
        s_.scheduler, s_.setupAssistant, [this] { return dialSettings(s_.settings); }, s_.makeView,
        [&dataSource] { dataSource.refresh(); },
        [this](const QString& name) { s_.notifications.post(name); },
        [this] {
            const VellaroSettings& settings = s_.settings.settings();
            s_.hotKeys.registerHotKey(settings.hotKeyCode, settings.hotKeyModifiers);
        },
        [] { return QPointF(QCursor::pos()); }, &OverlayController::systemScreens});

    s_.hapticsNudge.showIfNeeded();

    s_.hotKeys.onHotKeyDown = [this] { overlay_->triggerDown(s_.hotKeys.eventTime()); };
    s_.hotKeys.onHotKeyUp = [this] { overlay_->triggerUp(s_.hotKeys.eventTime()); };
    const VellaroSettings& settings = s_.settings.settings();
    if (s_.hotKeys.registerHotKey(settings.hotKeyCode, settings.hotKeyModifiers) != 0) {
        // Alt+Space is the window-menu key of several desktops: say so
        // where it shows even without a status area.
        qCWarning(appLog).noquote() << hintText();
        if (!statusItem_->hasStatusArea() && s_.notifyDesktop)
            s_.notifyDesktop(hintText());
    }

    s_.mouseTrigger.onTriggerDown = [this] { overlay_->triggerDown(s_.mouseTrigger.eventTime()); };
    s_.mouseTrigger.onTriggerUp = [this] { overlay_->triggerUp(s_.mouseTrigger.eventTime()); };
    s_.mouseTrigger.apply();

    settingsObserver_ = s_.settings.addObserver([this] {
        overlay_->settingsDidChange();
        s_.mouseTrigger.apply();
    });

    perform(request_.actions);
    if ((request_.actions & LaunchRequest::setup) == 0 && !s_.onboardingCompleted())
        s_.setupAssistant.show(false);

    qCInfo(appLog) << "Vellaro ready";
}

} // namespace vellaro
