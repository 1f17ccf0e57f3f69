#include "platform/updater/HttpsTransfer.h"

#include "platform/updater/UpdateUrlPolicy.h"

#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTimer>

namespace vellaro {

HttpsTransfer::HttpsTransfer(QNetworkAccessManager& network, QIODevice& sink, qint64 maximumBytes,
                             const QList<QSslCertificate>& extraCaCertificates, QObject* parent)
    : QObject(parent), network_(network), sink_(sink), maximumBytes_(maximumBytes),
      extraCaCertificates_(extraCaCertificates) {}

HttpsTransfer::~HttpsTransfer() {
    abort();
}

void HttpsTransfer::start(const QUrl& url) {
    if (!UpdateUrlPolicy::allows(url)) {
        const QString message =
            QStringLiteral("Updates are only fetched over HTTPS (refused %1).").arg(url.toString());
        QTimer::singleShot(0, this, [this, message] { finish(message); });
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(maximumRedirects);
    request.setTransferTimeout(transferTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    if (!extraCaCertificates_.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(extraCaCertificates_);
        request.setSslConfiguration(tls);
    }
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::redirected, this, [this](const QUrl& target) {
        const QUrl next = reply_->url().resolved(target);
        if (UpdateUrlPolicy::allows(next)) {
            Q_EMIT reply_->redirectAllowed();
            return;
        }
        finish(QStringLiteral("The update server redirected to an address that is not "
                              "HTTPS (%1).")
                   .arg(next.toString()));
    });
    connect(reply_, &QNetworkReply::readyRead, this, &HttpsTransfer::readBody);
    connect(reply_, &QNetworkReply::finished, this, [this] {
        if (done_)
            return;
        readBody();
        if (done_)
            return;
        if (reply_->error() != QNetworkReply::NoError) {
            finish(QStringLiteral("The update server could not be reached: %1")
                       .arg(reply_->errorString()));
            return;
        }
        const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status != 200) {
            finish(QStringLiteral("The update server answered with status %1.").arg(status));
            return;
        }
        finish(QString());
    });
}

void HttpsTransfer::readBody() {
    if (done_ || !reply_)
        return;
    const QByteArray chunk = reply_->readAll();
    if (chunk.isEmpty())
        return;
    total_ += chunk.size();
    if (total_ > maximumBytes_) {
        finish(QStringLiteral("The update server sent more than expected."));
        return;
    }
    if (sink_.write(chunk) != chunk.size()) {
        finish(QStringLiteral("The update could not be saved: %1").arg(sink_.errorString()));
        return;
    }
    Q_EMIT received(chunk.size());
}

void HttpsTransfer::abort() {
    done_ = true;
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
