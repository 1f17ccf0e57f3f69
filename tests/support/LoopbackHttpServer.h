#pragma once

#include "support/TestCertificates.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <memory>
#include <optional>

class QTcpServer;
class QTcpSocket;

namespace vellaro::test {

// A small HTTP/1.1 server on 127.0.0.1, port 0, over TLS when given an
// identity: each path answers with a fixed status, headers and body, one
// request per connection. It records what was asked.
class LoopbackHttpServer : public QObject {
    Q_OBJECT

public:
    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray location; // for redirects
        // When set, the body follows the head one byte per interval.
        std::chrono::milliseconds drip{0};
    };

    explicit LoopbackHttpServer(std::optional<TestIdentity> identity = std::nullopt);
    ~LoopbackHttpServer() override;

    quint16 port() const;
    // https://localhost:<port><path>, or http://127.0.0.1:<port><path> without TLS.
    QUrl url(const QString& path) const;

    void serve(const QString& path, Response response);
    Response response(const QString& path) const { return responses_.value(path); }
    QStringList requestedPaths() const { return requested_; }
    int connectionCount() const { return connections_; }
    // Body bytes sent so far by dripped responses.
    qint64 drippedBytes() const { return dripped_; }

private:
    void answer(QTcpSocket* socket, const QByteArray& request);

    bool secure_;
    std::unique_ptr<QTcpServer> server_;
    QHash<QString, Response> responses_;
    QStringList requested_;
    int connections_ = 0;
    qint64 dripped_ = 0;
};

} // namespace vellaro::test
