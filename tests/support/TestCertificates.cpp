#include "support/TestCertificates.h"

#include <QFile>
#include <QProcess>

namespace vellaro::test {

namespace {

const QStringList ecKey = {
    QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
    QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TestCertificates::TestCertificates(const QString& pluginName) {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return;
    }
    const bool made =
        run(QStringList{"req", "-x509"} + ecKey +
            QStringList{"-keyout", "ca.key", "-out", "ca.crt", "-days", "2", "-subj",
                        "/CN=Vellaro Test CA", "-addext", "basicConstraints=critical,CA:TRUE",
                        "-addext", "keyUsage=critical,keyCertSign,cRLSign"}) &&
        run(QStringList{"req", "-x509"} + ecKey +
            QStringList{"-keyout", "untrusted.key", "-out", "untrusted.crt", "-days", "2", "-subj",
                        "/CN=" + pluginName, "-addext", "subjectAltName=DNS:" + pluginName});
    if (!made)
        return;
    ca_ = QSslCertificate(readAll(dir_.filePath("ca.crt")));
    untrusted_ = load("untrusted");
    pluginLeaf_ = issueLeaf(pluginName);
    otherNameLeaf_ = issueLeaf(QStringLiteral("other.example.org"));
}

bool TestCertificates::run(const QStringList& arguments) {
    QProcess openssl;
    openssl.setWorkingDirectory(dir_.path());
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0) {
        error_ = QStringLiteral("openssl %1: %2")
                     .arg(arguments.join(' '), QString::fromLocal8Bit(openssl.readAll()));
        return false;
    }
    return true;
}

TestIdentity TestCertificates::issueLeaf(const QString& name) {
    QFile extensions(dir_.filePath(name + ".ext"));
    if (!extensions.open(QIODevice::WriteOnly))
        return TestIdentity{QSslCertificate(), QSslKey()};
    extensions.write("subjectAltName=DNS:" + name.toUtf8() +
                     "\nbasicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\n"
                     "extendedKeyUsage=serverAuth\n");
    extensions.close();
    const bool made =
        run(QStringList{"req", "-new"} + ecKey +
            QStringList{"-keyout", name + ".key", "-out", name + ".csr", "-subj", "/CN=" + name}) &&
        run({"x509", "-req", "-in", name + ".csr", "-CA", "ca.crt", "-CAkey", "ca.key",
             "-CAcreateserial", "-days", "2", "-extfile", name + ".ext", "-out", name + ".crt"});
    return made ? load(name) : TestIdentity{QSslCertificate(), QSslKey()};
}

TestIdentity TestCertificates::load(const QString& baseName) {
    return {QSslCertificate(readAll(dir_.filePath(baseName + ".crt"))),
            QSslKey(readAll(dir_.filePath(baseName + ".key")), QSsl::Ec)};
}

} // namespace vellaro::test
