#include "support/TlsTestServers.h"

#include "overlay/LoopbackTrust.h"

#include <QSslConfiguration>
#include <QSslSocket>
#include <QWebSocket>
#include <memory>

namespace vellaro::test {

namespace {

QSslConfiguration serverConfiguration(const TestIdentity& identity) {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(identity.certificate);
    configuration.setPrivateKey(identity.key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    return configuration;
}

const QByteArray notFound("HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\n"
                          "Content-Length: 9\r\n\r\nnot found");

// Keeps every socket `server` accepts under `owner`, with its path and
// each binary message it receives.
void recordMessages(QWebSocketServer& server, QObject* owner, QList<TickServer::Message>& messages,
                    QStringList& paths) {
    QObject::connect(
        &server, &QWebSocketServer::newConnection, owner, [&server, owner, &messages, &paths] {
            while (QWebSocket* socket = server.nextPendingConnection()) {
                socket->setParent(owner);
                paths.append(socket->requestUrl().path());
                QObject::connect(socket, &QWebSocket::binaryMessageReceived, owner,
                                 [&messages](const QByteArray& message) {
                                     messages.append({message, std::chrono::steady_clock::now()});
                                 });
            }
        });
}

QByteArray joined(const QList<TickServer::Message>& messages) {
    QByteArray all;
    for (const TickServer::Message& message : messages)
        all += message.payload;
    return all;
}

} // namespace

TickServer::TickServer(const TestIdentity& identity)
    : server_(QStringLiteral("tick server"), QWebSocketServer::SecureMode) {
    server_.setSslConfiguration(serverConfiguration(identity));
    recordMessages(server_, this, messages_, connectionPaths_);
}

bool TickServer::listen(quint16 port) {
    return server_.listen(QHostAddress::LocalHost, port);
}

void TickServer::closeConnections() {
    for (QWebSocket* socket : findChildren<QWebSocket*>())
        socket->close(QWebSocketProtocol::CloseCodeGoingAway);
}

void TickServer::sendToClients(const QByteArray& message) {
    for (QWebSocket* socket : findChildren<QWebSocket*>())
        socket->sendBinaryMessage(message);
}

QByteArray TickServer::payloads() const {
    return joined(messages_);
}

PluginServer::PluginServer(const TestIdentity& identity, quint16 port)
    : sockets_(QStringLiteral("plugin"), QWebSocketServer::NonSecureMode) {
    server_.setSslConfiguration(serverConfiguration(identity));
    recordMessages(sockets_, this, messages_, connectionPaths_);
    connect(&server_, &QSslServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            // Read ahead only: an upgrade goes whole to the WebSocket server.
            auto handled = std::make_shared<QMetaObject::Connection>();
            *handled = connect(socket, &QTcpSocket::readyRead, socket, [this, socket, handled] {
                const QByteArray head = socket->peek(socket->bytesAvailable());
                if (!head.contains("\r\n\r\n"))
                    return;
                if (head.toLower().contains("upgrade: websocket")) {
                    disconnect(*handled);
                    sockets_.handleConnection(socket);
                    return;
                }
                socket->readAll();
                ++requestCount_;
                socket->write(notFound);
            });
        }
    });
    server_.listen(QHostAddress::LocalHost, port);
}

QByteArray PluginServer::payloads() const {
    return joined(messages_);
}

NotFoundServer::NotFoundServer(const TestIdentity& identity, const QByteArray& response,
                               quint16 port) {
    const QByteArray answer = !response.isEmpty() ? response : notFound;
    server_.setSslConfiguration(serverConfiguration(identity));
    connect(&server_, &QSslServer::pendingConnectionAvailable, this, [this, answer] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            auto request = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request, answer] {
                *request += socket->readAll();
                if (!request->contains("\r\n\r\n"))
                    return;
                ++requestCount_;
                request->clear();
                socket->write(answer);
            });
        }
    });
    server_.listen(QHostAddress::LocalHost, port);
}

SilentServer::SilentServer() {
    connect(&server_, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            ++connectionCount_;
        }
    });
    server_.listen(QHostAddress::LocalHost, 0);
}

quint16 closedPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

const TestCertificates& pluginCertificates() {
    static const TestCertificates certificates{QString(LoopbackTrust::pluginHostName)};
    return certificates;
}

} // namespace vellaro::test
