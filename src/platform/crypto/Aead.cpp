#include "platform/crypto/Aead.h"

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
    if (key.size() != keySize || nonce.size() != nonceSize)
        return std::nullopt;
    const CipherContext context = newContext();
    if (!context || EVP_EncryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, bytes(key),
                                       bytes(nonce)) != 1)
        return std::nullopt;
    QByteArray box(nonceSize + plaintext.size() + tagSize, Qt::Uninitialized);
    std::copy(nonce.begin(), nonce.end(), box.begin());
    unsigned char* out = bytes(box) + nonceSize;
    int written = 0;
    if (!plaintext.isEmpty() && EVP_EncryptUpdate(context.get(), out, &written, bytes(plaintext),
                                                  int(plaintext.size())) != 1)
        return std::nullopt;
    int finalWritten = 0;
    if (EVP_EncryptFinal_ex(context.get(), out + written, &finalWritten) != 1 ||
        written + finalWritten != plaintext.size())
        return std::nullopt;
    if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, tagSize, out + plaintext.size()) !=
        1)
        return std::nullopt;
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
