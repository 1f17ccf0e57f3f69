#include "platform/crypto/Ed25519.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

struct Vector {
    const char* publicKey;
    const char* message;
    const char* signature;
};

// RFC 8032, section 7.1, tests 1 to 3 and SHA(abc).
const Vector rfc8032[] = {
    {"d75a980182b10ab7d54bfed3c964073a0ee172f3daa62325af021a68f707511a", "",
     "e5564300c360ac729086e2cc806e828a84877f1eb8e5d974d873e065224901555fb8821590a33bacc61e39701cf9"
     "b46bd25bf5f0595bbe24655141438e7a100b"},
    {"3d4017c3e843895a92b70aa74d1b7ebc9c982ccf2ec4968cc0cd55f12af4660c", "72",
     "92a009a9f0d4cab8720e820b5f642540a2b27b5416503f8fb3762223ebdb69da085ac1e43e15996e458f3613d0f1"
     "1d8c387b2eaeb4302aeeb00d291612bb0c00"},
    {"fc51cd8e6218a1a38da47ed00230f0580816ed13ba3303ac5deb911548908025", "af82",
     "6291d657deec24024827e69c3abe01a30ce548a284743a445e3680d7db5ac3ac18ff9b538d16f290ae67f760984d"
     "c6594a7c15e9716ed28dc027beceea1ec40a"},
    {"ec172b93ad5e563bf4932c70e1245034c35467ef2efd4d64ebf819683467e2bf",
     "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23a3fe"
     "ebbd454d4423643ce80e2a9ac94fa54ca49f",
     "dc2a4459e7369633a52b1bf277839a00201009a3efbf3ecb69bea2186c26b58909351fc9ac90b3ecfdfbc7c66431"
     "e0303dca179c138ac17ad9bef1177331a704"},
};

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

TEST(Ed25519, AcceptsThePublishedVectorsAndRefusesAnyChange) {
    for (const Vector& vector : rfc8032) {
        const QByteArray key = hex(vector.publicKey);
        const QByteArray message = hex(vector.message);
        const QByteArray signature = hex(vector.signature);
        EXPECT_TRUE(Ed25519::verify(key, message, signature)) << vector.signature;

        QByteArray flipped = signature;
        flipped[10] = char(flipped[10] ^ 0x01);
        EXPECT_FALSE(Ed25519::verify(key, message, flipped));
        EXPECT_FALSE(Ed25519::verify(key, message + "x", signature));
        EXPECT_FALSE(Ed25519::verify(hex(rfc8032[1].publicKey) == key ? hex(rfc8032[0].publicKey)
                                                                      : hex(rfc8032[1].publicKey),
                                     message, signature));
        EXPECT_FALSE(Ed25519::verify(key.left(31), message, signature));
        EXPECT_FALSE(Ed25519::verify(key, message, signature.left(63)));
    }
}

class Ed25519Files : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(Ed25519Files, OpensslToolSignaturesVerifyOverTheMappedFile) {
    const auto pair = Ed25519::generate();
    ASSERT_TRUE(pair);
    EXPECT_EQ(Ed25519::publicKeyOf(pair->privateKeyPem), pair->publicKey);
    const QString keyPath = write("key.pem", pair->privateKeyPem);
    QByteArray payload(300000, 'v');
    payload[1234] = 'x';
    const QString payloadPath = write("payload.bin", payload);

    QProcess openssl;
    openssl.start("openssl", {"pkeyutl", "-sign", "-rawin", "-inkey", keyPath, "-in", payloadPath});
    ASSERT_TRUE(openssl.waitForFinished(30000));
    const QByteArray signature = openssl.readAllStandardOutput();
    ASSERT_EQ(signature.size(), Ed25519::signatureSize) << openssl.readAllStandardError().data();
    EXPECT_EQ(signature, Ed25519::sign(pair->privateKeyPem, payload));

    EXPECT_EQ(Ed25519::verifyFile(pair->publicKey, payloadPath, signature), QString());

    const auto other = Ed25519::generate();
    ASSERT_TRUE(other);
    EXPECT_FALSE(Ed25519::verifyFile(other->publicKey, payloadPath, signature).isEmpty());

    payload[200000] = 'w';
    const QString tampered = write("tampered.bin", payload);
    EXPECT_FALSE(Ed25519::verifyFile(pair->publicKey, tampered, signature).isEmpty());
    EXPECT_FALSE(
        Ed25519::verifyFile(pair->publicKey, dir.filePath("missing"), signature).isEmpty());
}

TEST(Ed25519, SigningNeedsAnEd25519PrivateKey) {
    EXPECT_TRUE(Ed25519::sign("not a key", "message").isEmpty());
    EXPECT_TRUE(Ed25519::publicKeyOf("not a key").isEmpty());
}

} // namespace
} // namespace vellaro
