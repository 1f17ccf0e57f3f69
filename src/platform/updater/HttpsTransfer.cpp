#include "platform/updater/HttpsTransfer.h"

#include "platform/updater/UpdateUrlPolicy.h"

#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTimer>

namespace vellaro {

namespace {

int statusOf(const QNetworkReply& reply) {
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

HttpsTransfer::HttpsTransfer(QNetworkAccessManager& network, Scheduler& scheduler, QIODevice& sink,
                             Limits limits, const QList<QSslCertificate>& extraCaCertificates,
                             QObject* parent)
    : QObject(parent), network_(network), scheduler_(scheduler), sink_(sink), limits_(limits),
      extraCaCertificates_(extraCaCertificates) {}

HttpsTransfer::~HttpsTransfer() {
    abort();
}

void HttpsTransfer::start(const QUrl& url) {
    deadlineTask_ = scheduler_.schedule(limits_.deadline, [this] {
        deadlineTask_ = 0;
        finish(QStringLiteral("The update server took too long to answer."));
    });
    lastActivity_ = scheduler_.now();
    watchForStall(stallTimeout);
    get(url);
}

void HttpsTransfer::get(const QUrl& url) {
    if (!UpdateUrlPolicy::allows(url)) {
        const QString message =
            redirects_ == 0
                ? QStringLiteral("Updates are only fetched over HTTPS (refused %1).")
                      .arg(url.toString())
                : QStringLiteral("The update server redirected to an address that is not "
                                 "HTTPS (%1).")
                      .arg(url.toString());
        QTimer::singleShot(0, this, [this, message] { finish(message); });
        return;
    }
    QNetworkRequest request(url);
    // Qt's own following misreads a chain of redirects; each hop is checked here.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    if (!extraCaCertificates_.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(extraCaCertificates_);
        request.setSslConfiguration(tls);
    }
    reply_ = network_.get(request);
    const auto active = [this] { lastActivity_ = scheduler_.now(); };
    connect(reply_, &QNetworkReply::metaDataChanged, this, active);
    connect(reply_, &QNetworkReply::readyRead, this, active);
    connect(reply_, &QNetworkReply::readyRead, this, &HttpsTransfer::readBody);
    connect(reply_, &QNetworkReply::finished, this, &HttpsTransfer::replyFinished);
}

void HttpsTransfer::replyFinished() {
    if (done_ || !reply_)
        return;
    readBody();
    if (done_)
        return;
    if (reply_->error() != QNetworkReply::NoError && !isRedirect(statusOf(*reply_))) {
        finish(QStringLiteral("The update server could not be reached: %1")
                   .arg(reply_->errorString()));
        return;
    }
    const int status = statusOf(*reply_);
    if (isRedirect(status)) {
        const QUrl target = reply_->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        if (target.isEmpty()) {
            finish(QStringLiteral("The update server answered with status %1.").arg(status));
            return;
        }
        if (++redirects_ > maximumRedirects) {
            finish(QStringLiteral("The update server answered with too many redirects."));
            return;
        }
        const QUrl next = reply_->url().resolved(target);
        reply_->disconnect(this);
        reply_->deleteLater();
        reply_.clear();
        get(next);
        return;
    }
    if (status != 200) {
        finish(QStringLiteral("The update server answered with status %1.").arg(status));
        return;
    }
    finish(QString());
}

void HttpsTransfer::readBody() {
    if (done_ || !reply_)
        return;
    const QByteArray chunk = reply_->readAll();
    // A redirect's own body is not the document.
    if (chunk.isEmpty() || isRedirect(statusOf(*reply_)))
        return;
    total_ += chunk.size();
    if (total_ > limits_.maximumBytes) {
        finish(QStringLiteral("The update server sent more than expected."));
        return;
    }
    if (sink_.write(chunk) != chunk.size()) {
        finish(QStringLiteral("The update could not be saved: %1").arg(sink_.errorString()));
        return;
    }
    Q_EMIT received(chunk.size());
}

void HttpsTransfer::watchForStall(Scheduler::Duration delay) {
    stallTask_ = scheduler_.schedule(delay, [this] {
        stallTask_ = 0;
        const Scheduler::Duration quiet = scheduler_.now() - lastActivity_;
        if (quiet >= stallTimeout)
            finish(QStringLiteral("The update server stopped answering."));
        else
            watchForStall(stallTimeout - quiet);
    });
}

void HttpsTransfer::abort() {
    done_ = true;
    scheduler_.cancel(std::exchange(stallTask_, 0));
    scheduler_.cancel(std::exchange(deadlineTask_, 0));
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
        reply_.clear();
    }
}

void HttpsTransfer::finish(const QString& error) {
    if (done_)
        return;
    abort();
    Q_EMIT finished(error);
}

} // namespace vellaro
