#pragma once

#include <QByteArray>
#include <optional>

struct evp_cipher_ctx_st;

namespace vellaro {

// Seals a stream piece by piece into the combined form of Aead: the nonce,
// then the ciphertext of each piece as it comes (as long as the piece), then
// the tag. Large plaintexts never have to be whole in memory.
class AeadSealer {
public:
    AeadSealer();
    ~AeadSealer();
    AeadSealer(const AeadSealer&) = delete;
    AeadSealer& operator=(const AeadSealer&) = delete;

    // Starts under a fresh random nonce; false when the key is not 32 bytes
    // or the cipher fails.
    bool start(const QByteArray& key);
    // Starts under the given nonce: only for known-answer checks.
    bool start(const QByteArray& key, const QByteArray& nonce);
    const QByteArray& nonce() const { return nonce_; }

    // Writes the ciphertext of `size` bytes to `out`, which holds as many.
    bool update(const char* in, qsizetype size, char* out);
    // The tag; none when the cipher fails or the sealer was never started.
    std::optional<QByteArray> finish();

private:
    evp_cipher_ctx_st* context_ = nullptr;
    QByteArray nonce_;
    bool started_ = false;
};

} // namespace vellaro
