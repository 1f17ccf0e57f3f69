#include "platform/session/JsonFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST(JsonFile, ReadsOnlyRegularFilesOfBoundedSize) {
    QTemporaryDir temp;
    const QString fifo = temp.filePath(QStringLiteral("fifo.json"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = temp.filePath(QStringLiteral("zero.json"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString huge = temp.filePath(QStringLiteral("huge.json"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(JsonFile::maximumSize + 1)); // sparse: costs no disk
    }
    const QString linked = temp.filePath(QStringLiteral("linked.json"));
    writeBytes(temp.filePath(QStringLiteral("real.json")), R"({"a": 1})");
    ASSERT_TRUE(QFile::link(temp.filePath(QStringLiteral("real.json")), linked));

    const std::pair<QString, JsonFile::ReadStatus> cases[] = {
        {fifo, JsonFile::ReadStatus::unreadable}, // would block a plain open for ever
        {zero, JsonFile::ReadStatus::unreadable}, // would grow without bound
        {huge, JsonFile::ReadStatus::unreadable},
        {linked, JsonFile::ReadStatus::ok}, // a link to a regular file is fine
    };
    for (const auto& [path, status] : cases) {
        const JsonFile::ReadResult result = JsonFile::read(path);
        EXPECT_EQ(result.status, status) << path.toStdString();
        EXPECT_EQ(result.error.isEmpty(), status == JsonFile::ReadStatus::ok);
    }
}

namespace {
// Runs `write` in a child whose files may not grow past `limit` bytes, as on
// a full disk (SIGXFSZ ignored: the write fails with EFBIG instead). Returns
// the child's error text, or "saved".
QString writeWithFileSizeLimit(const QString& path, const QJsonObject& object, rlim_t limit) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        QString error;
        const QByteArray answer =
            JsonFile::write(path, object, &error) ? QByteArray("saved") : error.toUtf8();
        [[maybe_unused]] const ssize_t sent = ::write(pipeFds[1], answer.data(), answer.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    QByteArray answer;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return QString::fromUtf8(answer);
}
} // namespace

TEST(JsonFile, AFullDiskLeavesTheOldFileAsItWas) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("f.json"));
    const QByteArray old = "{\n    \"kept\": true\n}\n";
    writeBytes(path, old);

    const QJsonObject large{{"text", QString(4096, QLatin1Char('x'))}};
    const QString error = writeWithFileSizeLimit(path, large, 1024);
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EFBIG)));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.json")});

    EXPECT_EQ(writeWithFileSizeLimit(path, {{"small", 1}}, 1024), QStringLiteral("saved"));
    EXPECT_EQ(JsonFile::read(path).object, (QJsonObject{{"small", 1}}));
}
