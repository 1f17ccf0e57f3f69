#include "platform/session/JsonFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

TEST(JsonFile, MovesAsideUnderAFreshName) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("f.json"));
    writeBytes(path, "first");
    const QString one = JsonFile::moveAside(path);
    writeBytes(path, "second");
    const QString two = JsonFile::moveAside(path);
    ASSERT_FALSE(one.isEmpty());
    ASSERT_FALSE(two.isEmpty());
    EXPECT_NE(one, two);
    EXPECT_TRUE(one.startsWith(path + QStringLiteral(".rejected-")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("\\.rejected-\\d{8}T\\d{6}Z(-\\d+)?$"))
                    .match(two)
                    .hasMatch());
    EXPECT_FALSE(QFile::exists(path));
    QString error;
    EXPECT_TRUE(JsonFile::moveAside(path, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}
