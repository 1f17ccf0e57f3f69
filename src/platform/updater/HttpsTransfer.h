#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class QSslCertificate;

namespace vellaro {

// One GET of an update feed or package into `sink`, bounded in size. Every
// address on the way (redirects included) must pass UpdateUrlPolicy; a
// refused address never gets a connection. Emits finished() exactly once,
// unless abort() came first.
class HttpsTransfer : public QObject {
    Q_OBJECT

public:
    static constexpr int maximumRedirects = 5;
    static constexpr int transferTimeoutMs = 30000;

    // `extraCaCertificates` are trusted beside the system's.
    HttpsTransfer(QNetworkAccessManager& network, QIODevice& sink, qint64 maximumBytes,
                  const QList<QSslCertificate>& extraCaCertificates, QObject* parent = nullptr);
    ~HttpsTransfer() override;

    // Starts at once; a refused address finishes on the next turn of the loop.
    void start(const QUrl& url);
    // Stops without finished().
    void abort();

Q_SIGNALS:
    void received(qint64 bytes);         // this chunk's size
    void finished(const QString& error); // empty when the whole body arrived

private:
    void readBody();
    void finish(const QString& error);

    QNetworkAccessManager& network_;
    QIODevice& sink_;
    qint64 maximumBytes_;
    QList<QSslCertificate> extraCaCertificates_;
    qint64 total_ = 0;
    QPointer<QNetworkReply> reply_;
    bool done_ = false;
};

} // namespace vellaro
