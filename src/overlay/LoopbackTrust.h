#pragma once

#include <QList>
#include <QSslError>
#include <QString>
#include <QUrl>

namespace vellaro {

// Decides which TLS errors the haptics client may ignore. The plug-in serves
// a certificate issued for one fixed host name while we reach it by the
// loopback address, so on exactly that endpoint a host-name mismatch is
// accepted when the certificate is valid for the fixed name. Every other
// error (an untrusted chain, an expired certificate) and every other
// endpoint keeps the default verdict: reject.
class LoopbackTrust {
public:
    // The name the plug-in's certificate is issued for.
    static constexpr auto pluginHostName = "local.hapticweb.logi.com";

    LoopbackTrust(QString host, quint16 port, QString certificateName);

    bool acceptsErrors(const QUrl& endpoint, const QList<QSslError>& errors) const;

    static bool certificateMatchesName(const QSslCertificate& certificate, const QString& name);

private:
    QString host_;
    quint16 port_;
    QString certificateName_;
};

} // namespace vellaro
