#include "StoreFixture.h"

#include "clipboard/ClipboardEntry.h"
#include "model/LogCapture.h"

#include <QDir>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::StoreFixture;
using test::textRecord;
using test::textsOf;

struct FileCase {
    const char* name;
    // Replaces the sealed file's bytes given the key and a good box.
    std::function<QByteArray(const QByteArray& key)> bytes;
};

QByteArray sealedJson(const QByteArray& key, const QByteArray& json) {
    return *Aead::seal(key, json);
}

class UnreadableFiles : public testing::TestWithParam<FileCase> {};

// Each loads as an empty history, is logged and is moved aside, never overwritten.
TEST_P(UnreadableFiles, LoadEmptyAndAreMovedAsideAtTheNextWrite) {
    StoreFixture f;
    f.writeFile({textRecord("kept")});
    const QByteArray bad = GetParam().bytes(*f.secrets->secret());
    {
        QFile file(f.path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bad);
    }
    test::LogCapture log("vellaro.clipboard-store");
    auto loaded = f.load();
    f.settle();
    ASSERT_TRUE(loaded->called);
    EXPECT_TRUE(loaded->records.empty());
    EXPECT_EQ(log.count("Clipboard history unreadable; starting fresh"), 1);
    f.store->save({textRecord("new")});
    f.scheduler.advance(1s);
    f.settle();
    const QStringList aside =
        QDir(f.root.path()).entryList({"clipboard.sealed.rejected-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    QFile moved(f.root.filePath(aside.first()));
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), bad);
    EXPECT_EQ(log.count("Moved the unreadable clipboard history to"), 1);
    EXPECT_EQ(textsOf(*f.readFile()), QStringList{"new"});
}

INSTANTIATE_TEST_SUITE_P(
    Codec, UnreadableFiles,
    testing::Values(
        FileCase{"ShorterThanNonceAndTag", [](const QByteArray&) { return QByteArray(27, 'x'); }},
        FileCase{"OtherKey",
                 [](const QByteArray&) {
                     return sealedJson(QByteArray(32, '\x01'), StoredEntry::encodeList({}));
                 }},
        FileCase{"ChangedByte",
                 [](const QByteArray& key) {
                     QByteArray box = sealedJson(key, StoredEntry::encodeList({textRecord("a")}));
                     box[box.size() - 1] = char(box[box.size() - 1] ^ 0x01);
                     return box;
                 }},
        FileCase{"NotJson", [](const QByteArray& key) { return sealedJson(key, "[{"); }},
        FileCase{"RecordWithoutTitle",
                 [](const QByteArray& key) {
                     return sealedJson(key, R"([{"kind":"text","text":"a","title":"a","copiedAt":1},
                                              {"kind":"text","text":"b","copiedAt":2}])");
                 }},
        FileCase{"UnknownKind",
                 [](const QByteArray& key) {
                     return sealedJson(key, R"([{"kind":"rtf","title":"a","copiedAt":1}])");
                 }},
        FileCase{"WrongType",
                 [](const QByteArray& key) {
                     return sealedJson(key,
                                       R"([{"kind":"text","text":7,"title":"a","copiedAt":1}])");
                 }},
        FileCase{"NotAList",
                 [](const QByteArray& key) {
                     return sealedJson(key, R"({"kind":"text","title":"a","copiedAt":1})");
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoredEntry, RecordsMissingWhatTheirKindNeedsAreSkippedAlone) {
    const auto records = StoredEntry::decodeList(R"([
        {"kind":"files","paths":[],"title":"none","copiedAt":1},
        {"kind":"image","imageData":"AAEC","title":"Image","copiedAt":2},
        {"kind":"url","title":"no text","copiedAt":3},
        {"kind":"text","text":"kept","title":"kept","copiedAt":4,"future":{"x":1}}])");
    ASSERT_TRUE(records) << "unknown keys are ignored";
    ASSERT_EQ(records->size(), 4u);
    std::vector<ClipboardEntry> entries;
    for (const StoredEntry& record : *records) {
        if (auto entry = ClipboardEntry::fromStored(record))
            entries.push_back(*entry);
    }
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].title, "kept");
}

TEST(StoredEntry, CodesCompactlyWithoutAbsentKeysAndRoundTrips) {
    StoredEntry image;
    image.kind = StoredEntry::Kind::image;
    image.imageData = QByteArray("\x89PNG\0\xff", 6);
    image.imageType = QStringLiteral("public.png");
    image.title = QStringLiteral("Image");
    image.sourceApp = QStringLiteral("GIMP");
    image.copiedAt = 0;
    StoredEntry files;
    files.kind = StoredEntry::Kind::files;
    files.paths = QStringList{"/tmp/a b.txt", "/tmp/ü.png"};
    files.title = QStringLiteral("2 files");
    files.copiedAt = 12.5;

    const QByteArray json = StoredEntry::encodeList({image, textRecord("t"), files});
    EXPECT_FALSE(json.contains('\n'));
    EXPECT_FALSE(json.contains("null"));
    EXPECT_FALSE(json.contains("sourceApp\":\"\"")) << json.toStdString();
    EXPECT_TRUE(json.contains("\"imageData\":\"iVBORwD/\"")) << json.toStdString();

    const auto back = StoredEntry::decodeList(json);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 3u);
    EXPECT_EQ((*back)[0].imageData, image.imageData);
    EXPECT_EQ((*back)[0].sourceApp, image.sourceApp);
    EXPECT_FALSE((*back)[1].sourceApp);
    EXPECT_EQ((*back)[2].paths, files.paths);
    EXPECT_EQ((*back)[2].copiedAt, 12.5);
}

TEST(StoredEntry, ImageBytesOfEveryLengthRoundTripAsStandardBase64) {
    // Lengths around the encoder's slices and pieces too.
    for (int length : {0, 1, 2, 3, 4, 5, 256, 49151, 49152, 49153, 300001}) {
        StoredEntry image;
        image.kind = StoredEntry::Kind::image;
        image.imageType = QStringLiteral("public.tiff");
        image.title = QStringLiteral("Image");
        QByteArray bytes;
        for (int i = 0; i < length; ++i)
            bytes += char(i * 37 + 11);
        image.imageData = bytes;
        const QByteArray json = StoredEntry::encodeList({image});
        EXPECT_TRUE(json.contains("\"imageData\":\"" + bytes.toBase64() + "\"")) << length;
        const auto back = StoredEntry::decodeList(json);
        ASSERT_TRUE(back) << length;
        EXPECT_EQ((*back)[0].imageData, bytes) << length;
    }
}

TEST(StoredEntry, CopiedAtCountsFromTheStartOf2001InUtc) {
    const QDateTime start(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    EXPECT_EQ(StoredEntry::dateFromReference(0), start);
    EXPECT_EQ(StoredEntry::dateFromReference(86400.5), start.addMSecs(86400500));
    EXPECT_EQ(StoredEntry::secondsSinceReference(start.addSecs(-60)), -60.0);
}

TEST(ClipboardStore, TwoWritesOfOneListDifferAndLoadAlike) {
    StoreFixture f;
    f.load();
    f.settle();
    const std::vector<StoredEntry> list{textRecord("same")};
    QByteArray first;
    for (int i = 0; i < 2; ++i) {
        f.store->save(list);
        f.scheduler.advance(1s);
        f.settle();
        QFile file(f.path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (i == 0)
            first = bytes;
        else
            EXPECT_NE(bytes, first);
        EXPECT_EQ(textsOf(*f.readFile()), QStringList{"same"});
    }
}

} // namespace
} // namespace vellaro
