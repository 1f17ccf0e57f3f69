#pragma once

#include <QByteArray>
#include <optional>

namespace vellaro {

// AES-256-GCM in its combined form: nonce (12) | ciphertext | tag (16), no
// associated data. Thread-safe: every call stands alone.
class Aead {
public:
    static constexpr int keySize = 32;
    static constexpr int nonceSize = 12;
    static constexpr int tagSize = 16;
    static constexpr int overhead = nonceSize + tagSize;

    // Seals under a fresh random nonce; none when the key is not 32 bytes or
    // the cipher fails.
    static std::optional<QByteArray> seal(const QByteArray& key, const QByteArray& plaintext);
    // Seals under the given nonce: only for known-answer checks.
    static std::optional<QByteArray> seal(const QByteArray& key, const QByteArray& nonce,
                                          const QByteArray& plaintext);
    // Opens a combined box; none when it is too short, the key is wrong or
    // any byte changed.
    static std::optional<QByteArray> open(const QByteArray& key, const QByteArray& box);

    // Cryptographically random bytes; none when the generator fails.
    static std::optional<QByteArray> randomBytes(int count);
};

} // namespace vellaro
