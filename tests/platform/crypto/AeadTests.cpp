#include "platform/crypto/Aead.h"
#include "platform/crypto/AeadSealer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vellaro {
namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

struct VectorCase {
    const char* name;
    const char* key;
    const char* nonce;
    const char* plaintext;
    const char* ciphertext;
    const char* tag;
};

class AeadVectors : public testing::TestWithParam<VectorCase> {};

TEST_P(AeadVectors, SealsToTheKnownAnswerAndOpensBack) {
    const VectorCase& c = GetParam();
    const auto box = Aead::seal(hex(c.key), hex(c.nonce), hex(c.plaintext));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->toHex(), QByteArray(c.nonce) + c.ciphertext + c.tag);
    const auto opened = Aead::open(hex(c.key), *box);
    ASSERT_TRUE(opened);
    EXPECT_EQ(*opened, hex(c.plaintext));
}

constexpr char zeroKey[] = "0000000000000000000000000000000000000000000000000000000000000000";
constexpr char zeroNonce[] = "000000000000000000000000";
constexpr char gcmKey[] = "feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308";
constexpr char gcmText[] = "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a72"
                           "1c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de657ba637b391aafd255";
constexpr char gcmCipher[] = "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa"
                             "8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a0abcc9f662898015ad";

INSTANTIATE_TEST_SUITE_P(
    GcmCases, AeadVectors,
    testing::Values(
        VectorCase{"EmptyText", zeroKey, zeroNonce, "", "", "530f8afbc74536b9a963b4f1c4cb738b"},
        VectorCase{"SixteenZeroBytes", zeroKey, zeroNonce, "00000000000000000000000000000000",
                   "cea7403d4d606b6e074ec5d3baf39d18", "d0d1c8a799996bf0265b98b5d48ab919"},
        VectorCase{"FourBlocks", gcmKey, "cafebabefacedbaddecaf888", gcmText, gcmCipher,
                   "b094dac5d93471bdec1a502270e3cc6c"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Aead, AnyChangedByteOrWrongKeyFailsToOpen) {
    const QByteArray key = hex(gcmKey);
    const auto box = Aead::seal(key, "history");
    ASSERT_TRUE(box);
    for (qsizetype i = 0; i < box->size(); ++i) {
        QByteArray changed = *box;
        changed[i] = char(changed[i] ^ 0x01);
        EXPECT_FALSE(Aead::open(key, changed)) << "byte " << i;
    }
    EXPECT_FALSE(Aead::open(hex(zeroKey), *box));
    EXPECT_FALSE(Aead::open(key, box->left(Aead::overhead - 1)));
    EXPECT_FALSE(Aead::seal(key.left(16), "short key"));
}

TEST(AeadSealer, PiecesOfAnySizeSealAsTheWhole) {
    const QByteArray key = hex(gcmKey);
    const QByteArray nonce = hex("cafebabefacedbaddecaf888");
    QByteArray text;
    for (int i = 0; i < 1000; ++i)
        text += char(i * 7);
    for (int piece : {1, 15, 16, 17, 333, 1000}) {
        AeadSealer sealer;
        ASSERT_TRUE(sealer.start(key, nonce));
        QByteArray box = sealer.nonce();
        for (qsizetype at = 0; at < text.size(); at += piece) {
            const qsizetype size = std::min<qsizetype>(piece, text.size() - at);
            QByteArray out(size, Qt::Uninitialized);
            ASSERT_TRUE(sealer.update(text.constData() + at, size, out.data()));
            box += out;
        }
        const auto tag = sealer.finish();
        ASSERT_TRUE(tag);
        box += *tag;
        EXPECT_EQ(box, Aead::seal(key, nonce, text)) << piece;
    }
    AeadSealer unstarted;
    EXPECT_FALSE(unstarted.start(key.left(31)));
    EXPECT_FALSE(unstarted.finish());
}

TEST(Aead, EachSealTakesAFreshNonce) {
    const QByteArray key = hex(gcmKey);
    const auto first = Aead::seal(key, "same text");
    const auto second = Aead::seal(key, "same text");
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->left(Aead::nonceSize), second->left(Aead::nonceSize));
    EXPECT_EQ(Aead::open(key, *first), Aead::open(key, *second));
}

} // namespace
} // namespace vellaro
