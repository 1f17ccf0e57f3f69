#include "platform/session/SystemActions/DoNotDisturbRunner.h"

#include "platform/session/GSettings.h"
#include "platform/session/SystemActions/ActionsLog.h"
#include "platform/session/SystemActions/DBusCall.h"
#include "platform/session/SystemActions/ToolLauncher.h"

namespace vellaro {

namespace {

constexpr int serverTimeoutMs = 1000;
const QString notificationsSchema = QStringLiteral("org.gnome.desktop.notifications");
const QString bannersKey = QStringLiteral("show-banners");
const QString xfconf = QStringLiteral("xfconf-query");
const QStringList xfceProperty{QStringLiteral("-c"), QStringLiteral("xfce4-notifyd"),
                               QStringLiteral("-p"), QStringLiteral("/do-not-disturb")};

} // namespace

DoNotDisturbRunner::DoNotDisturbRunner(QDBusConnection bus, const ToolLauncher& launcher)
    : bus_(std::move(bus)), launcher_(launcher) {}

std::optional<DoNotDisturbRunner::Backend> DoNotDisturbRunner::backendFor(const QString& name,
                                                                          const QString& vendor) {
    const auto is = [&](const char* text) {
        return name.contains(QLatin1String(text), Qt::CaseInsensitive) ||
               vendor.contains(QLatin1String(text), Qt::CaseInsensitive);
    };
    if (is("Xfce"))
        return Backend::xfce;
    if (is("dunst"))
        return Backend::dunst;
    return std::nullopt;
}

QString DoNotDisturbRunner::supportedServersText() {
    return QStringLiteral("Vellaro can switch Do Not Disturb of GNOME Shell, of the Xfce "
                          "notification daemon (xfce4-notifyd) and of dunst. No notification "
                          "server it knows answered; switch Do Not Disturb in your desktop's "
                          "notification settings instead.");
}

std::optional<QString> DoNotDisturbRunner::backendName() const {
    if (!backend_)
        return std::nullopt;
    switch (*backend_) {
    case Backend::gnome:
        return QStringLiteral("GNOME");
    case Backend::xfce:
        return QStringLiteral("Xfce");
    case Backend::dunst:
        return QStringLiteral("dunst");
    }
    return std::nullopt;
}

void DoNotDisturbRunner::identifyServer() {
    askServer([](std::optional<Backend>) {});
}

void DoNotDisturbRunner::toggle() {
    askServer([this](std::optional<Backend> backend) {
        if (backend)
            toggle(*backend);
        else
            needsSetup();
    });
}

void DoNotDisturbRunner::askServer(std::function<void(std::optional<Backend>)> answer) {
    QDBusMessage shell = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    shell << QStringLiteral("org.gnome.Shell");
    callAsync(bus_, shell, serverTimeoutMs, [this, answer](const QDBusMessage& reply) {
        const QVariantList fields = reply.arguments();
        if (reply.type() == QDBusMessage::ReplyMessage && !fields.isEmpty() &&
            fields.constFirst().toBool()) {
            remember(Backend::gnome);
            answer(Backend::gnome);
            return;
        }
        askNotificationServer(answer);
    });
}

void DoNotDisturbRunner::askNotificationServer(std::function<void(std::optional<Backend>)> answer) {
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("GetServerInformation"));
    callAsync(bus_, call, serverTimeoutMs, [this, answer](const QDBusMessage& reply) {
        const QVariantList fields = reply.arguments();
        if (reply.type() != QDBusMessage::ReplyMessage || fields.size() < 2) {
            qCInfo(lcActions, "No notification server answered: %s",
                   qUtf8Printable(reply.errorMessage()));
            remember(std::nullopt);
            answer(std::nullopt);
            return;
        }
        const QString name = fields.at(0).toString();
        const std::optional<Backend> backend = backendFor(name, fields.at(1).toString());
        if (!backend)
            qCInfo(lcActions, "Cannot switch Do Not Disturb of notification server %s",
                   qUtf8Printable(name));
        remember(backend);
        answer(backend);
    });
}

void DoNotDisturbRunner::remember(std::optional<Backend> backend) {
    if (backend == backend_)
        return;
    backend_ = backend;
    if (auto changed = onBackendChanged_)
        changed();
}

void DoNotDisturbRunner::toggle(Backend backend) {
    switch (backend) {
    case Backend::gnome: {
        const std::optional<bool> banners = GSettings::boolean(notificationsSchema, bannersKey);
        if (!banners || !GSettings::setBoolean(notificationsSchema, bannersKey, !*banners)) {
            qCWarning(lcActions, "Could not switch Do Not Disturb: %s %s is missing or read-only",
                      qUtf8Printable(notificationsSchema), qUtf8Printable(bannersKey));
            needsSetup();
        }
        return;
    }
    case Backend::xfce:
        toggleXfce();
        return;
    case Backend::dunst:
        launcher_.launch(QStringLiteral("dunstctl"),
                         {QStringLiteral("set-paused"), QStringLiteral("toggle")},
                         [this](int status) {
                             if (status == 0)
                                 return;
                             qCWarning(lcActions, "dunstctl failed (status %d)", status);
                             needsSetup();
                         });
        return;
    }
}

void DoNotDisturbRunner::toggleXfce() {
    if (!launcher_.has(xfconf)) {
        qCWarning(lcActions, "Could not switch Do Not Disturb: xfconf-query is not installed");
        needsSetup();
        return;
    }
    // The property exists only once it was set: a failed toggle creates it on.
    launcher_.launch(xfconf, xfceProperty + QStringList{QStringLiteral("-T")}, [this](int status) {
        if (status == 0)
            return;
        launcher_.launch(xfconf,
                         xfceProperty + QStringList{QStringLiteral("-n"), QStringLiteral("-t"),
                                                    QStringLiteral("bool"), QStringLiteral("-s"),
                                                    QStringLiteral("true")},
                         [this](int created) {
                             if (created == 0)
                                 return;
                             qCWarning(lcActions, "xfconf-query failed (status %d)", created);
                             needsSetup();
                         });
    });
}

void DoNotDisturbRunner::openNotificationSettings() const {
    const std::vector<QStringList> candidates{
        {QStringLiteral("gnome-control-center"), QStringLiteral("notifications")},
        {QStringLiteral("systemsettings"), QStringLiteral("kcm_notifications")},
        {QStringLiteral("xfce4-notifyd-config")},
    };
    for (const QStringList& command : candidates) {
        if (launcher_.has(command.front())) {
            launcher_.launch(command.front(), command.mid(1));
            return;
        }
    }
    qCInfo(lcActions, "No notification settings program found to open");
}

void DoNotDisturbRunner::needsSetup() const {
    if (auto callback = onNeedsSetup_)
        callback();
}

} // namespace vellaro
