#include "support/LoopbackHttpServer.h"

#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace vellaro::test {

namespace {

QByteArray reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(std::optional<TestIdentity> identity)
    : secure_(identity.has_value()) {
    if (identity) {
        auto tls = std::make_unique<QSslServer>();
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(identity->certificate);
        configuration.setPrivateKey(identity->key);
        configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
        tls->setSslConfiguration(configuration);
        server_ = std::move(tls);
    } else {
        server_ = std::make_unique<QTcpServer>();
    }
    connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            ++connections_;
            socket->setParent(this);
            auto request = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                *request += socket->readAll();
                if (request->contains("\r\n\r\n"))
                    answer(socket, std::exchange(*request, {}));
            });
        }
    });
    server_->listen(QHostAddress::LocalHost, 0);
}

LoopbackHttpServer::~LoopbackHttpServer() = default;

quint16 LoopbackHttpServer::port() const {
    return server_->serverPort();
}

QUrl LoopbackHttpServer::url(const QString& path) const {
    return QUrl(QStringLiteral("%1://%2:%3%4")
                    .arg(secure_ ? "https" : "http", secure_ ? "localhost" : "127.0.0.1")
                    .arg(port())
                    .arg(path));
}

void LoopbackHttpServer::serve(const QString& path, Response response) {
    responses_.insert(path, std::move(response));
}

void LoopbackHttpServer::answer(QTcpSocket* socket, const QByteArray& request) {
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() > 1 ? QString::fromUtf8(requestLine[1]) : QString();
    requested_ << path;
    const Response response = responses_.value(path, Response{404, "not found", {}});
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonOf(response.status) +
        "\r\nConnection: close\r\nContent-Length: " + QByteArray::number(response.body.size()) +
        "\r\n";
    if (!response.location.isEmpty())
        head += "Location: " + response.location + "\r\n";
    if (response.drip.count() == 0) {
        socket->write(head + "\r\n" + response.body);
        socket->disconnectFromHost();
        return;
    }
    socket->write(head + "\r\n");
    auto* timer = new QTimer(socket);
    connect(timer, &QTimer::timeout, socket,
            [this, socket, timer, body = response.body, sent = qsizetype(0)]() mutable {
                if (sent == body.size()) {
                    timer->stop();
                    socket->disconnectFromHost();
                    return;
                }
                socket->write(body.mid(sent++, 1));
                ++dripped_;
            });
    timer->start(response.drip);
}

} // namespace vellaro::test
