#include "StoreFixture.h"
#include "model/LogCapture.h"

#include "support/WaitUntil.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::StoreFixture;
using test::textRecord;
using test::textsOf;

std::vector<StoredEntry> texts(std::initializer_list<const char*> items) {
    std::vector<StoredEntry> records;
    for (const char* item : items)
        records.push_back(textRecord(QString::fromUtf8(item)));
    return records;
}

QStringList asideCopies(const StoreFixture& f) {
    return QDir(f.root.path()).entryList({"clipboard.sealed.rejected-*"}, QDir::Files);
}

struct Sequence {
    const char* name;
    std::function<void(StoreFixture&)> run;
};

class StoreSequences : public testing::TestWithParam<Sequence> {};

TEST_P(StoreSequences, Run) {
    StoreFixture f;
    GetParam().run(f);
}

const Sequence sequences[] = {
    {"ThreeQuickSavesWriteOnceTheLastList",
     [](StoreFixture& f) {
         f.load();
         f.settle();
         EXPECT_EQ(f.secrets->lookups, 0) << "a load without a file asks for no key";
         f.store->save(texts({"a"}));
         f.scheduler.advance(200ms);
         f.store->save(texts({"b", "a"}));
         f.scheduler.advance(300ms);
         f.store->save(texts({"c", "b", "a"}));
         f.scheduler.advance(999ms);
         f.settle();
         EXPECT_FALSE(QFile::exists(f.path()));
         f.scheduler.advance(1ms);
         f.settle();
         ASSERT_TRUE(f.readFile());
         EXPECT_EQ(textsOf(*f.readFile()), QStringList({"c", "b", "a"}));
         EXPECT_EQ(f.secrets->adds, 1) << "the first write creates the key";
         struct stat info {};
         ASSERT_EQ(::stat(QFile::encodeName(f.path()).constData(), &info), 0);
         EXPECT_EQ(info.st_mode & 0777, 0600u);
         EXPECT_EQ(QDir(f.root.path()).entryList({"clipboard.sealed*"}, QDir::Files),
                   QStringList{"clipboard.sealed"});
     }},
    {"ClearDuringTheWaitWritesNothing",
     [](StoreFixture& f) {
         f.load();
         f.settle();
         f.store->save(texts({"secret"}));
         f.scheduler.advance(500ms);
         f.store->clear();
         f.scheduler.advance(2s);
         f.settle();
         EXPECT_FALSE(QFile::exists(f.path()));
     }},
    {"ClearAfterAWriteBeganLeavesNoFile",
     [](StoreFixture& f) {
         f.load();
         f.settle();
         f.store->save(texts({"secret"}));
         f.secrets->hold();
         f.scheduler.advance(1s);
         ASSERT_TRUE(test::waitUntil([&] { return f.secrets->isWaiting(); }));
         f.store->clear();
         f.secrets->release();
         f.settle();
         EXPECT_FALSE(QFile::exists(f.path()));
     }},
    {"ALoadEndingAfterClearBringsNothingBack",
     [](StoreFixture& f) {
         f.writeFile(texts({"old"}));
         f.secrets->hold();
         auto loaded = f.load();
         ASSERT_TRUE(test::waitUntil([&] { return f.secrets->isWaiting(); }));
         f.store->clear();
         f.secrets->release();
         f.settle();
         EXPECT_FALSE(loaded->called);
         EXPECT_FALSE(QFile::exists(f.path()));
     }},
    {"SavesBeforeTheLoadEndsWaitForIt",
     [](StoreFixture& f) {
         f.writeFile(texts({"old"}));
         f.secrets->hold();
         std::vector<StoredEntry> merged;
         f.store->load([&](std::vector<StoredEntry> records, bool held) {
             EXPECT_TRUE(held);
             merged = texts({"new"});
             merged.insert(merged.end(), records.begin(), records.end());
             f.store->save(merged);
         });
         ASSERT_TRUE(test::waitUntil([&] { return f.secrets->isWaiting(); }));
         f.store->save(texts({"new"}));
         f.scheduler.advance(1s);
         EXPECT_EQ(textsOf(*f.readFile()), QStringList{"old"}) << "held, not written";
         f.secrets->release();
         f.settle();
         f.scheduler.advance(1s);
         f.settle();
         EXPECT_EQ(textsOf(*f.readFile()), QStringList({"new", "old"}));
     }},
    {"AnUnavailableKeyKeepsTheFileUntilItAnswers",
     [](StoreFixture& f) {
         f.writeFile(texts({"old"}));
         f.secrets->available = false;
         std::vector<std::vector<StoredEntry>> handed;
         f.store->load([&](std::vector<StoredEntry> records, bool held) {
             handed.push_back(records);
             auto merged = texts({"new"});
             merged.insert(merged.end(), records.begin(), records.end());
             if (held)
                 f.store->save(merged);
         });
         f.settle();
         EXPECT_TRUE(handed.empty());
         f.store->save(texts({"new"}));
         f.scheduler.advance(1s);
         f.settle();
         EXPECT_EQ(textsOf(*f.readFile()), QStringList{"old"});
         EXPECT_EQ(f.secrets->adds, 0) << "an unavailable store never gets a new key";
         f.secrets->available = true;
         f.store->save(texts({"new"}));
         f.scheduler.advance(1s);
         f.settle();
         ASSERT_EQ(handed.size(), 1u);
         EXPECT_EQ(textsOf(handed[0]), QStringList{"old"});
         f.scheduler.advance(1s);
         f.settle();
         EXPECT_EQ(textsOf(*f.readFile()), QStringList({"new", "old"}));
     }},
    {"AFileThatDoesNotOpenIsMovedAsideBeforeTheNextWrite",
     [](StoreFixture& f) {
         f.writeFile(texts({"old"}));
         QFile file(f.path());
         ASSERT_TRUE(file.open(QIODevice::ReadWrite));
         const QByteArray sealed = file.readAll();
         file.seek(20);
         file.write(QByteArray(1, char(sealed[20] ^ 0x40)));
         file.close();
         auto loaded = f.load();
         f.settle();
         EXPECT_TRUE(loaded->called);
         EXPECT_TRUE(loaded->records.empty());
         EXPECT_TRUE(asideCopies(f).isEmpty()) << "nothing moves until a write";
         f.store->save(texts({"new"}));
         f.scheduler.advance(1s);
         f.settle();
         ASSERT_EQ(asideCopies(f).size(), 1);
         QFile aside(f.root.filePath(asideCopies(f).first()));
         ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
         EXPECT_EQ(aside.readAll().size(), sealed.size());
         EXPECT_EQ(textsOf(*f.readFile()), QStringList{"new"});
         f.store->clear();
         f.settle();
         EXPECT_TRUE(asideCopies(f).isEmpty()) << "Clear deletes the copies moved aside";
     }},
    {"TwoFirstCreatorsShareOneKey",
     [](StoreFixture& f) {
         // Another process creates the key between this one's first lookup
         // and its creation.
         f.load();
         f.settle();
         f.secrets->duringNextLookup = [&] {
             f.secrets->setSecret(Aead::randomBytes(Aead::keySize));
             ++f.secrets->adds;
         };
         f.store->save(texts({"mine"}));
         f.scheduler.advance(1s);
         f.settle();
         EXPECT_EQ(f.secrets->adds, 1) << "the key found under the lock is used";
         EXPECT_EQ(textsOf(*f.readFile()), QStringList{"mine"});
     }},
    {"AListWhoseWriteFoundNoKeyIsWrittenWhenItAnswers",
     [](StoreFixture& f) {
         f.load();
         f.settle();
         f.secrets->available = false;
         f.store->save(texts({"waiting"}));
         f.scheduler.advance(1s);
         f.settle();
         EXPECT_FALSE(QFile::exists(f.path()));
         f.secrets->available = true;
         f.store->flushForQuit();
         ASSERT_TRUE(f.readFile());
         EXPECT_EQ(textsOf(*f.readFile()), QStringList{"waiting"});
     }},
    {"QuittingWithinASecondKeepsTheLastCopies",
     [](StoreFixture& f) {
         f.load();
         f.settle();
         f.store->save(texts({"last"}));
         f.scheduler.advance(300ms);
         // The application's event loop ends (once per process: the only test that quits).
         QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
         QCoreApplication::exec();
         ASSERT_TRUE(f.readFile());
         EXPECT_EQ(textsOf(*f.readFile()), QStringList{"last"});
     }},
};

INSTANTIATE_TEST_SUITE_P(Sequences, StoreSequences, testing::ValuesIn(sequences),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClipboardStore, WithoutADataFolderNothingIsWrittenAnywhere) {
    test::ManualScheduler scheduler;
    QTemporaryDir cwd;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    {
        ClipboardStore store({}, std::make_unique<test::FakeSecretStore>(), {}, scheduler);
        store.load({});
        ASSERT_TRUE(store.waitForWorker(10s));
        QCoreApplication::processEvents();
        test::LogCapture log("vellaro.clipboard-store");
        store.save(texts({"nowhere"}));
        scheduler.advance(1s);
        store.flushForQuit();
        EXPECT_EQ(log.count("no data folder"), 1);
    }
    QDir::setCurrent(previous);
    EXPECT_TRUE(QDir(cwd.path()).isEmpty());
    EXPECT_FALSE(QFile::exists("/clipboard.sealed"));
}

TEST(ClipboardStore, AHistoryWrittenLoadsAfterARestart) {
    StoreFixture f;
    f.load();
    f.settle();
    f.store->save(texts({"b", "a"}));
    f.scheduler.advance(1s);
    f.settle();
    f.reopen();
    auto loaded = f.load();
    f.settle();
    ASSERT_TRUE(loaded->called);
    EXPECT_FALSE(loaded->savesWereHeld);
    EXPECT_EQ(textsOf(loaded->records), QStringList({"b", "a"}));
}

} // namespace
} // namespace vellaro
