#include "platform/session/SystemActions/SessionKeepAwake.h"

#include "platform/session/SystemActions/ActionsLog.h"
#include "platform/session/SystemActions/DBusCall.h"

#include <QCoreApplication>
#include <QDBusObjectPath>
#include <array>

namespace vellaro {

namespace {

constexpr int inhibitTimeoutMs = 2000;
const QString reason = QStringLiteral("Keep Awake");
// Suspend (4) and idle (8), for the portal and GNOME's session manager alike.
constexpr uint suspendAndIdle = 4 | 8;

struct InhibitService {
    const char* service;
    const char* path;
    const char* interface;
    const char* release;
};
enum Method { portal, screenSaver, sessionManager, xScreenSaver };
constexpr std::array inhibitServices{
    InhibitService{"org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                   "org.freedesktop.portal.Inhibit", "Close"},
    InhibitService{"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                   "org.freedesktop.ScreenSaver", "UnInhibit"},
    InhibitService{"org.gnome.SessionManager", "/org/gnome/SessionManager",
                   "org.gnome.SessionManager", "Uninhibit"},
};

QDBusMessage inhibitCall(int method) {
    const InhibitService& s = inhibitServices[std::size_t(method)];
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(s.service), QLatin1String(s.path),
                                       QLatin1String(s.interface), QStringLiteral("Inhibit"));
    switch (method) {
    case portal:
        call << QString() << suspendAndIdle << QVariantMap{{QStringLiteral("reason"), reason}};
        break;
    case screenSaver:
        call << QStringLiteral("Vellaro") << reason;
        break;
    default:
        call << QStringLiteral("org.vellaro.Vellaro") << uint(0) << reason << suspendAndIdle;
        break;
    }
    return call;
}

} // namespace

SessionKeepAwake::SessionKeepAwake(QDBusConnection bus, QDBusConnection logindBus)
    : bus_(std::move(bus)), logindBus_(std::move(logindBus)),
      self_(std::make_shared<SessionKeepAwake*>(this)) {
    if (QCoreApplication* app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, app,
                         [weak = std::weak_ptr<SessionKeepAwake*>(self_)] {
                             if (auto self = weak.lock())
                                 (*self)->release();
                         });
}

SessionKeepAwake::~SessionKeepAwake() {
    release();
}

QString SessionKeepAwake::holder() const {
    if (!held_)
        return {};
    if (held_->method == xScreenSaver)
        return QStringLiteral("X screen saver");
    return QLatin1String(inhibitServices[std::size_t(held_->method)].service);
}

void SessionKeepAwake::hold(std::function<void(bool)> done) {
    if (held_) {
        if (done)
            done(true);
        return;
    }
    waiting_.push_back(std::move(done));
    if (holding_)
        return;
    holding_ = true;
    ++holdNumber_;
    inhibitLogind();
    tryMethod(portal);
}

void SessionKeepAwake::inhibitLogind() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("idle") << QStringLiteral("Vellaro") << reason
         << QStringLiteral("block");
    callAsync(logindBus_, call, inhibitTimeoutMs,
              [weak = std::weak_ptr<SessionKeepAwake*>(self_),
               number = holdNumber_](const QDBusMessage& reply) {
                  const auto self = weak.lock();
                  if (!self)
                      return;
                  SessionKeepAwake& keepAwake = **self;
                  const QVariant answer =
                      reply.arguments().isEmpty() ? QVariant() : reply.arguments().constFirst();
                  if (reply.type() != QDBusMessage::ReplyMessage ||
                      !answer.canConvert<QDBusUnixFileDescriptor>()) {
                      qCDebug(lcActions, "logind did not inhibit: %s",
                              qUtf8Printable(reply.errorMessage()));
                      return;
                  }
                  // The hold ended before logind answered: the descriptor
                  // closes here, and the inhibitor with it.
                  if (number != keepAwake.holdNumber_ || (!keepAwake.held_ && !keepAwake.holding_))
                      return;
                  keepAwake.logindInhibitor_ = answer.value<QDBusUnixFileDescriptor>();
                  qCInfo(lcActions, "Keep Awake also holds logind's idle inhibitor");
              });
}

void SessionKeepAwake::dropHold() {
    held_.reset();
    logindInhibitor_.reset();
    ++holdNumber_;
}

void SessionKeepAwake::tryMethod(int method) {
    if (method == xScreenSaver) {
        if (screenSaver_.suspend())
            held_ = Held{xScreenSaver, {}};
        finishHold(held_.has_value());
        return;
    }
    std::weak_ptr<SessionKeepAwake*> weak = self_;
    callAsync(
        bus_, inhibitCall(method), inhibitTimeoutMs, [weak, method](const QDBusMessage& reply) {
            auto self = weak.lock();
            if (!self)
                return;
            SessionKeepAwake& keepAwake = **self;
            if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                qCDebug(lcActions, "%s did not inhibit: %s",
                        inhibitServices[std::size_t(method)].service,
                        qUtf8Printable(reply.errorMessage()));
                keepAwake.tryMethod(method + 1);
                return;
            }
            const QVariant answer = reply.arguments().constFirst();
            keepAwake.held_ =
                Held{method,
                     method == portal ? QVariant(answer.value<QDBusObjectPath>().path()) : answer};
            keepAwake.watch(QLatin1String(inhibitServices[std::size_t(method)].service));
            keepAwake.finishHold(true);
        });
}

void SessionKeepAwake::finishHold(bool held) {
    holding_ = false;
    if (held)
        qCInfo(lcActions, "Keep Awake held through %s", qUtf8Printable(holder()));
    else
        dropHold();
    const auto waiting = std::move(waiting_);
    waiting_.clear();
    for (const auto& done : waiting) {
        if (done)
            done(held);
    }
}

void SessionKeepAwake::watch(const QString& service) {
    watcher_ = std::make_unique<QDBusServiceWatcher>(service, bus_,
                                                     QDBusServiceWatcher::WatchForOwnerChange);
    QObject::connect(
        watcher_.get(), &QDBusServiceWatcher::serviceOwnerChanged, watcher_.get(), [this] {
            // Its owner went away or changed: our inhibition went with it.
            qCInfo(lcActions, "%s went away: Keep Awake is off", qUtf8Printable(holder()));
            dropHold();
            watcher_.release()->deleteLater();
            ended();
        });
}

void SessionKeepAwake::release() {
    if (!held_)
        return;
    const Held held = *held_;
    dropHold();
    watcher_.reset();
    if (held.method == xScreenSaver) {
        screenSaver_.resume();
        return;
    }
    const InhibitService& s = inhibitServices[std::size_t(held.method)];
    QDBusMessage call;
    if (held.method == portal) {
        call = QDBusMessage::createMethodCall(QLatin1String(s.service), held.token.toString(),
                                              QStringLiteral("org.freedesktop.portal.Request"),
                                              QLatin1String(s.release));
    } else {
        call = QDBusMessage::createMethodCall(QLatin1String(s.service), QLatin1String(s.path),
                                              QLatin1String(s.interface), QLatin1String(s.release));
        call << held.token;
    }
    bus_.send(call);
}

} // namespace vellaro
