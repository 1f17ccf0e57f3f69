#pragma once

#include "platform/time/Scheduler.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class QSslCertificate;

namespace vellaro {

// One GET of an update feed or package into `sink`, bounded in size and in
// time. Redirects are followed here, at most maximumRedirects of them, and
// every address on the way must pass UpdateUrlPolicy; a refused address never
// gets a connection. Emits finished() exactly once, unless abort() came first.
class HttpsTransfer : public QObject {
    Q_OBJECT

public:
    static constexpr int maximumRedirects = 5;
    // Ends a transfer that receives nothing for this long.
    static constexpr std::chrono::seconds stallTimeout{30};

    struct Limits {
        qint64 maximumBytes = 0;
        // Ends the whole transfer, however steadily it trickles.
        Scheduler::Duration deadline{};
    };

    // `extraCaCertificates` are trusted beside the system's.
    HttpsTransfer(QNetworkAccessManager& network, Scheduler& scheduler, QIODevice& sink,
                  Limits limits, const QList<QSslCertificate>& extraCaCertificates,
                  QObject* parent = nullptr);
    ~HttpsTransfer() override;

    // Starts at once; a refused address finishes on the next turn of the loop.
    void start(const QUrl& url);
    // Stops without finished().
    void abort();

Q_SIGNALS:
    void received(qint64 bytes);         // this chunk's size
    void finished(const QString& error); // empty when the whole body arrived

private:
    void get(const QUrl& url);
    void replyFinished();
    void readBody();
    void watchForStall(Scheduler::Duration delay);
    void finish(const QString& error);

    QNetworkAccessManager& network_;
    Scheduler& scheduler_;
    QIODevice& sink_;
    Limits limits_;
    QList<QSslCertificate> extraCaCertificates_;
    qint64 total_ = 0;
    int redirects_ = 0;
    Scheduler::TimePoint lastActivity_{};
    Scheduler::TaskId stallTask_ = 0;
    Scheduler::TaskId deadlineTask_ = 0;
    QPointer<QNetworkReply> reply_;
    bool done_ = false;
};

} // namespace vellaro
