#include "platform/crypto/AeadSealer.h"

#include "platform/crypto/Aead.h"

#include <openssl/evp.h>

namespace vellaro {

AeadSealer::AeadSealer() : context_(EVP_CIPHER_CTX_new()) {}

AeadSealer::~AeadSealer() {
    EVP_CIPHER_CTX_free(context_);
}

bool AeadSealer::start(const QByteArray& key) {
    const auto nonce = Aead::randomBytes(Aead::nonceSize);
    return nonce && start(key, *nonce);
}

bool AeadSealer::start(const QByteArray& key, const QByteArray& nonce) {
    started_ = context_ && key.size() == Aead::keySize && nonce.size() == Aead::nonceSize &&
               EVP_EncryptInit_ex(context_, EVP_aes_256_gcm(), nullptr,
                                  reinterpret_cast<const unsigned char*>(key.constData()),
                                  reinterpret_cast<const unsigned char*>(nonce.constData())) == 1;
    nonce_ = started_ ? nonce : QByteArray();
    return started_;
}

bool AeadSealer::update(const char* in, qsizetype size, char* out) {
    if (!started_)
        return false;
    if (size == 0)
        return true;
    int written = 0;
    // GCM is a stream mode: every byte in gives one byte out at once.
    return EVP_EncryptUpdate(context_, reinterpret_cast<unsigned char*>(out), &written,
                             reinterpret_cast<const unsigned char*>(in), int(size)) == 1 &&
           written == size;
}

std::optional<QByteArray> AeadSealer::finish() {
    if (!started_)
        return std::nullopt;
    started_ = false;
    unsigned char rest[16];
    int written = 0;
    if (EVP_EncryptFinal_ex(context_, rest, &written) != 1 || written != 0)
        return std::nullopt;
    QByteArray tag(Aead::tagSize, Qt::Uninitialized);
    if (EVP_CIPHER_CTX_ctrl(context_, EVP_CTRL_GCM_GET_TAG, Aead::tagSize, tag.data()) != 1)
        return std::nullopt;
    return tag;
}

} // namespace vellaro
