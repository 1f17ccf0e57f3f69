#pragma once

#include "support/TestCertificates.h"

#include <QList>
#include <QObject>
#include <QSslServer>
#include <QTcpServer>
#include <QWebSocketServer>
#include <chrono>

namespace vellaro::test {

// A stand-in for the haptics plug-in's socket: a TLS WebSocket server on the
// loopback interface that records every message with its arrival time.
class TickServer : public QObject {
public:
    struct Message {
        QByteArray payload;
        std::chrono::steady_clock::time_point arrival;
    };

    explicit TickServer(const TestIdentity& identity);
    bool listen(quint16 port = 0);
    quint16 port() const { return server_.serverPort(); }

    QList<Message> messages() const { return messages_; }
    QByteArray payloads() const;
    QStringList connectionPaths() const { return connectionPaths_; }
    // As when the plug-in quits.
    void closeConnections();
    void sendToClients(const QByteArray& message);

private:
    QWebSocketServer server_;
    QList<Message> messages_;
    QStringList connectionPaths_;
};

// A stand-in for the whole plug-in: on one TLS port it answers every plain
// HTTP request with 404 Not Found, as the plug-in's web server does for
// paths it does not serve, and takes WebSocket upgrades, recording every
// message like TickServer.
class PluginServer : public QObject {
public:
    // On `port` when one is given, else on any free one.
    explicit PluginServer(const TestIdentity& identity, quint16 port = 0);
    quint16 port() const { return server_.serverPort(); }
    int requestCount() const { return requestCount_; }
    QByteArray payloads() const;
    int messageCount() const { return int(messages_.size()); }

private:
    QSslServer server_;
    QWebSocketServer sockets_;
    QList<TickServer::Message> messages_;
    QStringList connectionPaths_;
    int requestCount_ = 0;
};

// A stand-in for the plug-in's web server that answers every request with
// 404 Not Found, or with `response` when one is given; on `port` when one
// is given, else on any free one.
class NotFoundServer : public QObject {
public:
    explicit NotFoundServer(const TestIdentity& identity, const QByteArray& response = {},
                            quint16 port = 0);
    quint16 port() const { return server_.serverPort(); }
    int requestCount() const { return requestCount_; }

private:
    QSslServer server_;
    int requestCount_ = 0;
};

// Accepts connections and never says a word.
class SilentServer : public QObject {
public:
    SilentServer();
    quint16 port() const { return server_.serverPort(); }
    int connectionCount() const { return connectionCount_; }

private:
    QTcpServer server_;
    int connectionCount_ = 0;
};

// A loopback port with nothing listening on it.
quint16 closedPort();

// Certificates for the plug-in's host name, made once per test program.
const TestCertificates& pluginCertificates();

} // namespace vellaro::test
