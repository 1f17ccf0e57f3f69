#include "TlsTestServers.h"

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

} // namespace

TickServer::TickServer(const TestIdentity& identity)
    : server_(QStringLiteral("tick server"), QWebSocketServer::SecureMode) {
    server_.setSslConfiguration(serverConfiguration(identity));
    connect(&server_, &QWebSocketServer::newConnection, this, [this] {
        while (QWebSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            connectionPaths_.append(socket->requestUrl().path());
            connect(socket, &QWebSocket::binaryMessageReceived, this,
                    [this](const QByteArray& message) {
                        messages_.append({message, std::chrono::steady_clock::now()});
                    });
        }
    });
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
    QByteArray all;
    for (const Message& message : messages_)
        all += message.payload;
    return all;
}

NotFoundServer::NotFoundServer(const TestIdentity& identity, const QByteArray& response,
                               quint16 port) {
    const QByteArray answer =
        !response.isEmpty() ? response
                            : QByteArray("HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\n"
                                         "Content-Length: 9\r\n\r\nnot found");
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

} // namespace vellaro::test
