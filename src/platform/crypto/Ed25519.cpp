#include "platform/crypto/Ed25519.h"

#include <QFile>

#include <memory>
#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

namespace vellaro {

namespace {

struct KeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct DigestFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Digest = std::unique_ptr<EVP_MD_CTX, DigestFree>;
using Bio = std::unique_ptr<BIO, BioFree>;

const unsigned char* bytes(QByteArrayView view) {
    // OpenSSL wants a pointer even for an empty message.
    static const unsigned char none = 0;
    return view.isEmpty() ? &none : reinterpret_cast<const unsigned char*>(view.data());
}

Key privateKeyOf(const QByteArray& pem) {
    Bio bio(BIO_new_mem_buf(pem.constData(), int(pem.size())));
    if (!bio)
        return nullptr;
    Key key(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr));
    if (!key || EVP_PKEY_get_id(key.get()) != EVP_PKEY_ED25519)
        return nullptr;
    return key;
}

QByteArray rawPublicKey(EVP_PKEY* key) {
    QByteArray raw(Ed25519::publicKeySize, Qt::Uninitialized);
    size_t length = size_t(raw.size());
    if (EVP_PKEY_get_raw_public_key(key, reinterpret_cast<unsigned char*>(raw.data()), &length) !=
            1 ||
        length != size_t(raw.size()))
        return {};
    return raw;
}

} // namespace

bool Ed25519::verify(QByteArrayView publicKey, QByteArrayView message, QByteArrayView signature) {
    if (publicKey.size() != publicKeySize || signature.size() != signatureSize)
        return false;
    const Key key(EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, bytes(publicKey),
                                              size_t(publicKey.size())));
    const Digest context(EVP_MD_CTX_new());
    if (!key || !context ||
        EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1)
        return false;
    return EVP_DigestVerify(context.get(), bytes(signature), size_t(signature.size()),
                            bytes(message), size_t(message.size())) == 1;
}

QString Ed25519::verifyFile(QByteArrayView publicKey, const QString& path,
                            QByteArrayView signature) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (size > 0 && !mapped)
        return QStringLiteral("cannot map %1: %2").arg(path, file.errorString());
    const bool good =
        verify(publicKey, QByteArrayView(reinterpret_cast<const char*>(mapped), qsizetype(size)),
               signature);
    return good ? QString() : QStringLiteral("the signature does not match");
}

std::optional<Ed25519::KeyPair> Ed25519::generate() {
    Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"));
    if (!key)
        return std::nullopt;
    Bio bio(BIO_new(BIO_s_mem()));
    if (!bio || PEM_write_bio_PKCS8PrivateKey(bio.get(), key.get(), nullptr, nullptr, 0, nullptr,
                                              nullptr) != 1)
        return std::nullopt;
    char* data = nullptr;
    const long length = BIO_get_mem_data(bio.get(), &data);
    KeyPair pair{QByteArray(data, qsizetype(length)), rawPublicKey(key.get())};
    if (pair.publicKey.isEmpty())
        return std::nullopt;
    return pair;
}

QByteArray Ed25519::publicKeyOf(const QByteArray& privateKeyPem) {
    const Key key = privateKeyOf(privateKeyPem);
    return key ? rawPublicKey(key.get()) : QByteArray();
}

QByteArray Ed25519::sign(const QByteArray& privateKeyPem, QByteArrayView message) {
    const Key key = privateKeyOf(privateKeyPem);
    const Digest context(EVP_MD_CTX_new());
    if (!key || !context ||
        EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1)
        return {};
    QByteArray signature(signatureSize, Qt::Uninitialized);
    size_t length = size_t(signature.size());
    if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length,
                       bytes(message), size_t(message.size())) != 1 ||
        length != size_t(signatureSize))
        return {};
    return signature;
}

} // namespace vellaro
