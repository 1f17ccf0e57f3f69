#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vellaro {

// Ed25519 signatures over OpenSSL: raw 32-byte public keys and 64-byte
// signatures, as release feeds carry them (base64). Verification is for the
// updater; keys and signing are for the release tool.
class Ed25519 {
public:
    static constexpr qsizetype publicKeySize = 32;
    static constexpr qsizetype signatureSize = 64;

    struct KeyPair {
        QByteArray privateKeyPem; // PKCS#8
        QByteArray publicKey;     // raw, 32 bytes
    };

    static bool verify(QByteArrayView publicKey, QByteArrayView message, QByteArrayView signature);

    // The whole file in one pass over a read-only mapping (OpenSSL cannot
    // stream Ed25519). Blocking: call it off the main thread for large files.
    // Empty on success, else why not.
    static QString verifyFile(QByteArrayView publicKey, const QString& path,
                              QByteArrayView signature);

    static std::optional<KeyPair> generate();
    // The raw public key of a PKCS#8 private key; empty when it is not one.
    static QByteArray publicKeyOf(const QByteArray& privateKeyPem);
    // Empty when the key is not a usable Ed25519 private key.
    static QByteArray sign(const QByteArray& privateKeyPem, QByteArrayView message);
};

} // namespace vellaro
