#include "overlay/MouseHapticsClient.h"

#include "overlay/Logging.h"
#include "platform/time/QtScheduler.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStandardPaths>
#include <QWebSocket>
#include <algorithm>
#include <utility>

namespace vellaro {

namespace {

constexpr std::uint16_t logitechVendorId = 0x046D;

} // namespace

MouseHapticsClient::MouseHapticsClient(Scheduler& scheduler, QString host, quint16 port,
                                       QList<QSslCertificate> extraCaCertificates, QObject* parent)
    : QObject(parent), scheduler_(scheduler), host_(std::move(host)), port_(port),
      extraCaCertificates_(std::move(extraCaCertificates)),
      trust_(host_, port_, QString::fromLatin1(LoopbackTrust::pluginHostName)),
      lastTick_(scheduler.now() - std::chrono::seconds(1)) {}

MouseHapticsClient::~MouseHapticsClient() {
    scheduler_.cancel(openTimeoutTask_);
}

MouseHapticsClient& MouseHapticsClient::shared() {
    // Never destroyed: it lives for the whole process and must not outlast
    // the application object in a static destructor.
    static auto* instance = new MouseHapticsClient(QtScheduler::shared());
    return *instance;
}

QUrl MouseHapticsClient::pluginPageURL() {
    static const QUrl url(
        QStringLiteral("https://www.logitech.com/software/logi-options-plus.html"));
    return url;
}

QUrl MouseHapticsClient::socketURL() const {
    return endpointURL(QStringLiteral("wss"), QStringLiteral("/ws"));
}

QUrl MouseHapticsClient::probeURL() const {
    return endpointURL(QStringLiteral("https"), QStringLiteral("/"));
}

QUrl MouseHapticsClient::endpointURL(const QString& scheme, const QString& path) const {
    QUrl url;
    url.setScheme(scheme);
    url.setHost(host_);
    url.setPort(port_);
    url.setPath(path);
    return url;
}

const QSslConfiguration& MouseHapticsClient::sslConfiguration() {
    // Made at the first connection: Qt's TLS back end loads OpenSSL and the
    // system's certificates, megabytes a copy without the plug-in never needs.
    if (!sslConfiguration_) {
        sslConfiguration_ = QSslConfiguration::defaultConfiguration();
        if (!extraCaCertificates_.isEmpty())
            sslConfiguration_->addCaCertificates(extraCaCertificates_);
    }
    return *sslConfiguration_;
}

bool MouseHapticsClient::isSocketOpen() const {
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

void MouseHapticsClient::tick(std::uint8_t byte) {
    if (!socket_)
        connect();
    if (!socket_)
        return;
    send(byte);
}

bool MouseHapticsClient::tickIfDue() {
    const Scheduler::TimePoint now = scheduler_.now();
    if (now - lastTick_ <= tickInterval)
        return false;
    lastTick_ = now;
    tick(tickByte);
    return true;
}

void MouseHapticsClient::connect() {
    const Scheduler::TimePoint now = scheduler_.now();
    if (lastAttempt_ && now - *lastAttempt_ < reconnectInterval)
        return;
    lastAttempt_ = now;
    openSocket();
}

void MouseHapticsClient::openSocket(bool withNewPins) {
    dropSocket();
    auto* socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
    socket->setProxy(QNetworkProxy::NoProxy);
    socket->setSslConfiguration(sslConfiguration());
    socket->setMaxAllowedIncomingFrameSize(maximumIncomingMessage);
    socket->setMaxAllowedIncomingMessageSize(maximumIncomingMessage);
    socket->ignoreSslErrors(pinnedErrors_);
    socket_ = socket;

    // QWebSocket 6.4 ignores a peer verify name, so the host-name check is
    // done here. Only exactly the errors found acceptable are ignored, and
    // only from the next opening on.
    QObject::connect(socket, &QWebSocket::sslErrors, this,
                     [this, socket, withNewPins](const QList<QSslError>& errors) {
                         if (!withNewPins && errors != pinnedErrors_ &&
                             trustsPeer(socket->requestUrl(), errors)) {
                             pinnedErrors_ = errors;
                             reopenWithPinnedErrors_ = true;
                         }
                     });
    QObject::connect(socket, &QWebSocket::connected, this, [this, socket] {
        if (socket != socket_)
            return;
        scheduler_.cancel(openTimeoutTask_);
        flushPendingTick();
    });
    QObject::connect(socket, &QWebSocket::stateChanged, this,
                     [this, socket](QAbstractSocket::SocketState state) {
                         if (state != QAbstractSocket::UnconnectedState || socket != socket_)
                             return;
                         qCDebug(lcHaptics) << "plug-in socket closed:" << socket->errorString();
                         if (std::exchange(reopenWithPinnedErrors_, false)) {
                             const std::optional<std::uint8_t> waiting = pendingTick_;
                             openSocket(true);
                             pendingTick_ = waiting;
                             return;
                         }
                         dropSocket();
                     });

    const QPointer<MouseHapticsClient> self(this);
    openTimeoutTask_ = scheduler_.schedule(openTimeout, [self, socket] {
        if (self && socket == self->socket_) {
            qCDebug(lcHaptics) << "plug-in socket did not open in time";
            self->dropSocket();
        }
    });
    socket->open(socketURL());
}

bool MouseHapticsClient::trustsPeer(const QUrl& endpoint, const QList<QSslError>& errors) const {
    if (trust_.acceptsErrors(endpoint, errors))
        return true;
    qCDebug(lcHaptics) << "rejected plug-in certificate:" << errors;
    return false;
}

void MouseHapticsClient::send(std::uint8_t byte) {
    if (socket_->state() != QAbstractSocket::ConnectedState) {
        // QWebSocket drops messages sent before it is open.
        pendingTick_ = byte;
        return;
    }
    const QByteArray message(1, static_cast<char>(byte));
    if (socket_->sendBinaryMessage(message) != message.size())
        dropSocket();
}

void MouseHapticsClient::flushPendingTick() {
    if (!pendingTick_)
        return;
    const std::uint8_t byte = *pendingTick_;
    pendingTick_.reset();
    send(byte);
}

void MouseHapticsClient::dropSocket() {
    scheduler_.cancel(openTimeoutTask_);
    openTimeoutTask_ = 0;
    pendingTick_.reset();
    if (QWebSocket* socket = socket_.data()) {
        socket_.clear();
        socket->disconnect(this);
        if (socket->state() != QAbstractSocket::UnconnectedState)
            socket->abort();
        socket->deleteLater();
    }
}

void MouseHapticsClient::sendTestBurst() {
    const QPointer<MouseHapticsClient> self(this);
    scheduler_.schedule(Scheduler::Duration::zero(), [self] {
        if (self)
            self->runBurstPass(0);
    });
}

void MouseHapticsClient::runBurstPass(int pass) {
    tick(tickByte);
    if (pass + 1 >= burstLength)
        return;
    const QPointer<MouseHapticsClient> self(this);
    scheduler_.schedule(burstSpacing, [self, pass] {
        if (self)
            self->runBurstPass(pass + 1);
    });
}

void MouseHapticsClient::isPluginReachable(const QObject* context, std::function<void(bool)> done) {
    if (!session_) {
        session_ = new QNetworkAccessManager(this);
        session_->setProxy(QNetworkProxy::NoProxy);
    }
    QNetworkRequest request(probeURL());
    request.setSslConfiguration(sslConfiguration());
    // Any answer proves the plug-in is there; a redirect is not followed
    // anywhere else.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = session_->get(request);

    const QPointer<QNetworkReply> guardedReply(reply);
    const Scheduler::TaskId timeout = scheduler_.schedule(probeTimeout, [guardedReply] {
        if (guardedReply)
            guardedReply->abort();
    });
    QObject::connect(reply, &QNetworkReply::sslErrors, this,
                     [this, reply](const QList<QSslError>& errors) {
                         if (trustsPeer(reply->url(), errors))
                             reply->ignoreSslErrors(errors);
                     });
    const QPointer<const QObject> guardedContext(context);
    const bool unguarded = context == nullptr;
    QObject::connect(reply, &QNetworkReply::finished, this,
                     [this, reply, timeout, guardedContext, unguarded, done = std::move(done)] {
                         scheduler_.cancel(timeout);
                         // An error reply with a status (a 404, say) still
                         // proves that the plug-in answered.
                         const bool answered =
                             reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
                         reply->deleteLater();
                         if (unguarded || guardedContext)
                             done(answered);
                     });
}

bool MouseHapticsClient::isMXMasterConnected(const HidDevices& hid) {
    const QList<HidDevice> devices = hid.devices(logitechVendorId);
    return std::any_of(devices.begin(), devices.end(), [](const HidDevice& device) {
        return device.name.contains(QLatin1String("MX Master"), Qt::CaseInsensitive);
    });
}

QString MouseHapticsClient::pluginFolderPath(const QString& dataHome) {
    const QString base = dataHome.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                             : dataHome;
    return base + QStringLiteral("/Logi/LogiPluginService/Plugins/HapticWeb");
}

bool MouseHapticsClient::isPluginFolderPresent(const QString& dataHome) {
    return QFileInfo::exists(pluginFolderPath(dataHome));
}

} // namespace vellaro
