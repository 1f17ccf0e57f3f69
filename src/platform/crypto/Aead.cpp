#include "platform/crypto/Aead.h"

#include "platform/crypto/AeadSealer.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <memory>

namespace vellaro {

namespace {

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

CipherContext newContext() {
    return CipherContext(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
}

auto bytes(const QByteArray& data) {
    return reinterpret_cast<const unsigned char*>(data.constData());
}

auto bytes(QByteArray& data) {
    return reinterpret_cast<unsigned char*>(data.data());
}

} // namespace

std::optional<QByteArray> Aead::seal(const QByteArray& key, const QByteArray& plaintext) {
    const auto nonce = randomBytes(nonceSize);
    if (!nonce)
        return std::nullopt;
    return seal(key, *nonce, plaintext);
}

std::optional<QByteArray> Aead::seal(const QByteArray& key, const QByteArray& nonce,
                                     const QByteArray& plaintext) {
    AeadSealer sealer;
    if (!sealer.start(key, nonce))
        return std::nullopt;
    QByteArray box(nonceSize + plaintext.size() + tagSize, Qt::Uninitialized);
    std::copy(nonce.begin(), nonce.end(), box.begin());
    if (!sealer.update(plaintext.constData(), plaintext.size(), box.data() + nonceSize))
        return std::nullopt;
    const auto tag = sealer.finish();
    if (!tag)
        return std::nullopt;
    std::copy(tag->begin(), tag->end(), box.begin() + nonceSize + plaintext.size());
    return box;
}

std::optional<QByteArray> Aead::open(const QByteArray& key, const QByteArray& box) {
    if (key.size() != keySize || box.size() < overhead)
        return std::nullopt;
    const CipherContext context = newContext();
    if (!context ||
        EVP_DecryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, bytes(key), bytes(box)) != 1)
        return std::nullopt;
    const int cipherSize = int(box.size()) - overhead;
    QByteArray plaintext(cipherSize, Qt::Uninitialized);
    int written = 0;
    if (cipherSize > 0 && EVP_DecryptUpdate(context.get(), bytes(plaintext), &written,
                                            bytes(box) + nonceSize, cipherSize) != 1)
        return std::nullopt;
    QByteArray tag = box.right(tagSize);
    if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, tagSize, bytes(tag)) != 1)
        return std::nullopt;
    int finalWritten = 0;
    // The tag is checked here: a changed byte anywhere fails.
    if (EVP_DecryptFinal_ex(context.get(), bytes(plaintext) + written, &finalWritten) != 1)
        return std::nullopt;
    return plaintext;
}

std::optional<QByteArray> Aead::randomBytes(int count) {
    QByteArray data(count, Qt::Uninitialized);
    if (count > 0 && RAND_bytes(bytes(data), count) != 1)
        return std::nullopt;
    return data;
}

} // namespace vellaro
