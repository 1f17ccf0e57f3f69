#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTemporaryDir>

namespace vellaro::test {

struct TestIdentity {
    QSslCertificate certificate;
    QSslKey key;
};

// Certificates made at test time with the openssl tool in a temporary folder:
// a test CA, leaves it issued for the plug-in's name and for another name,
// and a self-signed certificate for the plug-in's name that nobody trusts.
class TestCertificates {
public:
    // Empty identities and a message in error() when openssl failed.
    explicit TestCertificates(const QString& pluginName);

    QString error() const { return error_; }
    QSslCertificate ca() const { return ca_; }
    TestIdentity pluginLeaf() const { return pluginLeaf_; }
    TestIdentity otherNameLeaf() const { return otherNameLeaf_; }
    TestIdentity untrustedPluginCertificate() const { return untrusted_; }

private:
    bool run(const QStringList& arguments);
    TestIdentity issueLeaf(const QString& name);
    TestIdentity load(const QString& baseName);

    QTemporaryDir dir_;
    QString error_;
    QSslCertificate ca_;
    TestIdentity pluginLeaf_;
    TestIdentity otherNameLeaf_;
    TestIdentity untrusted_;
};

} // namespace vellaro::test
