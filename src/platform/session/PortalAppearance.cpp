#include "platform/session/PortalAppearance.h"

#include "platform/session/SessionBus.h"
#include "platform/time/QtScheduler.h"
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPalette>
#include <QPointer>
#include <QProcess>

#include <chrono>

namespace vellaro {

namespace {

Q_LOGGING_CATEGORY(lcAppearance, "vellaro.appearance")

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceNamespace = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
const QString gnomeInterface = QStringLiteral("org.gnome.desktop.interface");
const QString enableAnimationsKey = QStringLiteral("enable-animations");

// Read() of older portals wraps the value in one more variant.
QVariant unwrapped(QVariant value) {
    while (value.canConvert<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
        QDBusVariant inner;
        value.value<QDBusArgument>() >> inner;
        return unwrapped(inner.variant());
    }
    return value;
}

Appearance* installedAppearance = nullptr;

} // namespace

Appearance& Appearance::shared() {
    if (installedAppearance)
        return *installedAppearance;
    // Owned by the application, so it goes while the bus connection is still there.
    static QPointer<PortalAppearance> desktop;
    if (!desktop) {
        // The palette answers until the bus does; start-up never waits for it.
        desktop = new PortalAppearance(QDBusConnection(QString()), QStringLiteral("gsettings"),
                                       QtScheduler::shared(), QCoreApplication::instance());
        PortalAppearance* appearance = desktop;
        SessionBus::whenAnswering(
            appearance, [appearance](const QDBusConnection& bus) { appearance->useBus(bus); });
    }
    return *desktop;
}

void Appearance::setShared(Appearance* appearance) {
    installedAppearance = appearance;
}

PortalAppearance::PortalAppearance(const QDBusConnection& bus, const QString& gsettings,
                                   Scheduler& scheduler, QObject* parent)
    : Appearance(parent), bus_(bus), scheduler_(scheduler) {
    if (bus.isConnected())
        useBus(bus);
    if (!gsettings.isEmpty())
        readEnableAnimations(gsettings);
}

void PortalAppearance::useBus(const QDBusConnection& bus) {
    bus_ = bus;
    bus_.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"),
                 this, SLOT(settingChanged(QString, QString, QDBusVariant)));
    readColorScheme(QStringLiteral("ReadOne"));
}

ColorScheme PortalAppearance::colorScheme() const {
    if (portalScheme_)
        return *portalScheme_;
    if (!qGuiApp)
        return ColorScheme::light;
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::Window).lightness() <
                   palette.color(QPalette::WindowText).lightness()
               ? ColorScheme::dark
               : ColorScheme::light;
}

void PortalAppearance::readColorScheme(const QString& method) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, method);
    message << appearanceNamespace << colorSchemeKey;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message, timeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, method](QDBusPendingCallWatcher* call) { colorSchemeRead(call, method); });
}

void PortalAppearance::colorSchemeRead(QDBusPendingCallWatcher* call, const QString& method) {
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // Portals before version 2 of the interface only have Read().
        if (method == QStringLiteral("ReadOne") &&
            reply.errorName() == QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")) {
            readColorScheme(QStringLiteral("Read"));
            return;
        }
        qCDebug(lcAppearance) << "No colour scheme from the portal:" << reply.errorMessage();
        return;
    }
    if (!reply.arguments().isEmpty())
        setPortalScheme(reply.arguments().constFirst());
}

void PortalAppearance::settingChanged(const QString& nameSpace, const QString& key,
                                      const QDBusVariant& value) {
    if (nameSpace == appearanceNamespace && key == colorSchemeKey)
        setPortalScheme(value.variant());
    else if (nameSpace == gnomeInterface && key == enableAnimationsKey)
        setReduceMotion(!unwrapped(value.variant()).toBool());
}

void PortalAppearance::setPortalScheme(const QVariant& value) {
    // 0: no preference, 1: prefer dark, 2: prefer light.
    std::optional<ColorScheme> scheme;
    switch (unwrapped(value).toUInt()) {
    case 1:
        scheme = ColorScheme::dark;
        break;
    case 2:
        scheme = ColorScheme::light;
        break;
    default:
        break;
    }
    if (scheme == portalScheme_)
        return;
    portalScheme_ = scheme;
    Q_EMIT changed();
}

void PortalAppearance::readEnableAnimations(const QString& gsettings) {
    auto* process = new QProcess(this);
    // The process goes with this object, which may go before the time-out.
    const QPointer<QProcess> guarded(process);
    const Scheduler::TaskId deadline =
        scheduler_.schedule(std::chrono::milliseconds(timeoutMs), [guarded] {
            if (guarded)
                guarded->kill();
        });
    auto finish = [this, process, deadline] {
        scheduler_.cancel(deadline);
        process->deleteLater();
    };
    connect(process, &QProcess::finished, this,
            [this, process, finish](int code, QProcess::ExitStatus status) {
                finish();
                // A missing schema or key fails; then nothing is known and motion stays on.
                if (status == QProcess::NormalExit && code == 0)
                    setReduceMotion(process->readAllStandardOutput().trimmed() == "false");
            });
    connect(process, &QProcess::errorOccurred, this, [finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish();
    });
    process->start(gsettings, {QStringLiteral("get"), gnomeInterface, enableAnimationsKey});
}

void PortalAppearance::setReduceMotion(bool reduce) {
    if (reduce == reduceMotion_)
        return;
    reduceMotion_ = reduce;
    Q_EMIT changed();
}

} // namespace vellaro
