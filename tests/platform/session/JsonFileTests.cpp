#include "platform/session/JsonFile.h"
#include "support/FullDiskChild.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

using namespace vellaro;

namespace {
void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(JsonFile, ReadsOnlyAnObject) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("f.json"));
    EXPECT_EQ(JsonFile::read(path).status, JsonFile::ReadStatus::missing);
    const std::pair<QByteArray, JsonFile::ReadStatus> cases[] = {
        {R"({"a": 1})", JsonFile::ReadStatus::ok},
        {"[1]", JsonFile::ReadStatus::notAnObject},
        {"{\"a\":", JsonFile::ReadStatus::notAnObject},
        {"", JsonFile::ReadStatus::notAnObject},
    };
    for (const auto& [bytes, status] : cases) {
        writeBytes(path, bytes);
        EXPECT_EQ(JsonFile::read(path).status, status) << bytes.toStdString();
    }
    QDir().mkpath(temp.filePath(QStringLiteral("folder.json")));
    EXPECT_EQ(JsonFile::read(temp.filePath(QStringLiteral("folder.json"))).status,
              JsonFile::ReadStatus::unreadable);
}

TEST(JsonFile, WritesSortedPrettyJsonMakingTheFolder) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("a/b/f.json"));
    const QJsonObject object{{"zeta", 1}, {"alpha", QJsonObject{{"y", true}, {"x", "text"}}}};
    ASSERT_TRUE(JsonFile::write(path, object));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "{\n"
                                            "    \"alpha\": {\n"
                                            "        \"x\": \"text\",\n"
                                            "        \"y\": true\n"
                                            "    },\n"
                                            "    \"zeta\": 1\n"
                                            "}\n");
    EXPECT_EQ(JsonFile::read(path).object, object);
}

TEST(JsonFile, GrowingStoresWriteCompactJsonWithinTheirLimit) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("f.json"));
    const QJsonObject object{{"list", QJsonArray{1, 2, 3}}, {"name", "x"}};
    const QByteArray compact = R"({"list":[1,2,3],"name":"x"})";
    ASSERT_TRUE(JsonFile::write(path, object, nullptr, QJsonDocument::Compact, compact.size()));
    EXPECT_EQ(JsonFile::read(path, compact.size()).object, object); // at the limit, both ways

    QString error;
    EXPECT_FALSE(JsonFile::write(path, {{"list", QJsonArray{1, 2, 3}}, {"name", "xy"}}, &error,
                                 QJsonDocument::Compact, compact.size()));
    EXPECT_FALSE(error.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), compact);
}

TEST(JsonFile, AFullDiskLeavesTheOldFileAsItWas) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("f.json"));
    const QByteArray old = "{\n    \"kept\": true\n}\n";
    writeBytes(path, old);

    const QJsonObject large{{"text", QString(4096, QLatin1Char('x'))}};
    const auto writeInFullDisk = [&](const QJsonObject& object) {
        return test::inFullDiskChild(1024, [&] {
            QString error;
            return JsonFile::write(path, object, &error) ? QStringLiteral("saved") : error;
        });
    };
    const QString error = writeInFullDisk(large);
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EFBIG)));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.json")});

    EXPECT_EQ(writeInFullDisk({{"small", 1}}), QStringLiteral("saved"));
    EXPECT_EQ(JsonFile::read(path).object, (QJsonObject{{"small", 1}}));
}
