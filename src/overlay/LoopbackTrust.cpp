#include "overlay/LoopbackTrust.h"

#include <QSslCertificate>

namespace vellaro {

LoopbackTrust::LoopbackTrust(QString host, quint16 port, QString certificateName)
    : host_(std::move(host)), port_(port), certificateName_(std::move(certificateName)) {}

bool LoopbackTrust::acceptsErrors(const QUrl& endpoint, const QList<QSslError>& errors) const {
    if (errors.isEmpty())
        return false;
    if (host_ != QLatin1String("127.0.0.1") || endpoint.host() != host_ || endpoint.port() != port_)
        return false;
    for (const QSslError& error : errors) {
        if (error.error() != QSslError::HostNameMismatch)
            return false;
        if (!certificateMatchesName(error.certificate(), certificateName_))
            return false;
    }
    return true;
}

bool LoopbackTrust::certificateMatchesName(const QSslCertificate& certificate,
                                           const QString& name) {
    if (certificate.isNull() || name.isEmpty())
        return false;
    const QStringList dnsNames = certificate.subjectAlternativeNames().values(QSsl::DnsEntry);
    // Like TLS clients generally, fall back to the common name only when the
    // certificate has no DNS alternative names.
    const QStringList candidates =
        dnsNames.isEmpty() ? certificate.subjectInfo(QSslCertificate::CommonName) : dnsNames;
    for (const QString& candidate : candidates) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace vellaro
