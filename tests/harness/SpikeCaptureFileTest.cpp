// The capture file: its coding, what makes it unreadable, and how it is
// written to files and to other targets.
#include "harness/SpikeCaptureFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellaro {
namespace {

const QDateTime capturedAt(QDate(2026, 12, 9), QTime(8, 14, 14), Qt::UTC);

SpikeCapture sampleCapture() {
    return SpikeCapture{capturedAt,
                        {CapturedWindow{"org.example.Editor", "Notes — draft", {40, 60, 640, 480}},
                         CapturedWindow{"xclock", "Clock", {300.5, -20, 200, 200}}}};
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CaptureFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(CaptureFile, RoundTripsThroughAFile) {
    QString error;
    ASSERT_TRUE(SpikeCaptureFile::write(path("capture.json"), sampleCapture(), &error))
        << error.toStdString();
    const std::optional<SpikeCapture> read = SpikeCaptureFile::read(path("capture.json"), &error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_EQ(*read, sampleCapture());
}

TEST_F(CaptureFile, IsPrettyPrintedWithSortedKeysAndNoVersion) {
    const QByteArray bytes = SpikeCaptureFile::encode(sampleCapture());
    EXPECT_TRUE(bytes.contains("\n    \"capturedAt\": \"2026-12-09T08:14:14Z\",\n"));
    EXPECT_LT(bytes.indexOf("\"capturedAt\""), bytes.indexOf("\"windows\""));
    EXPECT_LT(bytes.indexOf("\"bundleID\""), bytes.indexOf("\"frame\""));
    EXPECT_LT(bytes.indexOf("\"frame\""), bytes.indexOf("\"title\""));
    EXPECT_FALSE(bytes.contains("version"));
}

TEST_F(CaptureFile, ReplacesAnExistingFileWhole) {
    writeBytes(path("capture.json"), QByteArray(100000, 'x'));
    QString error;
    ASSERT_TRUE(SpikeCaptureFile::write(path("capture.json"), sampleCapture(), &error));
    EXPECT_EQ(readBytes(path("capture.json")), SpikeCaptureFile::encode(sampleCapture()));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"capture.json"});
}

TEST_F(CaptureFile, WritesIntoAPipeWithoutReplacingIt) {
    const QByteArray fifo = QFile::encodeName(path("fifo"));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const int reader = open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_NE(reader, -1);
    QString error;
    EXPECT_TRUE(SpikeCaptureFile::write(path("fifo"), sampleCapture(), &error))
        << error.toStdString();
    QByteArray received(1 << 16, '\0');
    const ssize_t n = ::read(reader, received.data(), received.size());
    close(reader);
    EXPECT_EQ(received.left(n < 0 ? 0 : n), SpikeCaptureFile::encode(sampleCapture()));
    struct stat status {};
    ASSERT_EQ(lstat(fifo.constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST_F(CaptureFile, ReportsPathsThatHoldNoFile) {
    writeBytes(path("plain"), "not a folder");
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    for (const QString name : {"plain/capture.json", "folder"}) {
        QString error;
        EXPECT_FALSE(SpikeCaptureFile::write(path(name), sampleCapture(), &error))
            << name.toStdString();
        EXPECT_FALSE(error.isEmpty());
        error.clear();
        EXPECT_FALSE(SpikeCaptureFile::read(path(name), &error)) << name.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    const char* error; // empty: readable
};

class CaptureFileReading : public CaptureFile, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(CaptureFileReading, AcceptsOnlyTheDocumentedForm) {
    writeBytes(path("capture.json"), GetParam().bytes);
    QString error;
    const std::optional<SpikeCapture> read = SpikeCaptureFile::read(path("capture.json"), &error);
    if (*GetParam().error == '\0') {
        EXPECT_TRUE(read) << error.toStdString();
    } else {
        EXPECT_FALSE(read);
        EXPECT_TRUE(error.contains(QLatin1String(GetParam().error))) << error.toStdString();
    }
}

const QByteArray oneWindow =
    R"("windows": [{"bundleID": "xterm", "title": "Notes", "frame": [[1, 2], [3, 4]]}])";

QByteArray document(const QByteArray& capturedAt, const QByteArray& windows = oneWindow) {
    return "{\"capturedAt\": " + capturedAt + ", " + windows + "}";
}

INSTANTIATE_TEST_SUITE_P(
    Files, CaptureFileReading,
    ::testing::Values(
        ReadCase{"utc", document("\"2026-12-09T08:14:14Z\""), ""},
        ReadCase{"offset", document("\"2026-12-09T09:14:14+01:00\""), ""},
        ReadCase{"extraKeys",
                 R"({"capturedAt": "2026-12-09T08:14:14Z", "note": 1, "windows": [{"bundleID": "a",
                     "title": "b", "frame": [[1, 2], [3, 4]], "minimized": true}]})",
                 ""},
        ReadCase{"noWindows", document("\"2026-12-09T08:14:14Z\"", R"("windows": [])"), ""},
        ReadCase{"missingDate", "{" + oneWindow + "}", "\"capturedAt\" is missing"},
        ReadCase{"fractionalSeconds", document("\"2026-12-09T08:14:14.500Z\""),
                 "\"capturedAt\" must be a date and time in whole seconds with Z or an offset, "
                 "such as 2026-12-09T08:14:14Z or 2026-12-09T09:14:14+01:00, not "
                 "\"2026-12-09T08:14:14.500Z\""},
        ReadCase{"noZone", document("\"2026-12-09T08:14:14\""), "capturedAt"},
        ReadCase{"impossibleDate", document("\"2026-02-30T08:14:14Z\""), "capturedAt"},
        ReadCase{"dateAsNumber", document("1765268054"), "\"capturedAt\" is not text"},
        ReadCase{"missingWindows", R"({"capturedAt": "2026-12-09T08:14:14Z"})",
                 "\"windows\" is missing"},
        ReadCase{"windowsAsObject", document("\"2026-12-09T08:14:14Z\"", R"("windows": {})"),
                 "\"windows\" is not an array"},
        ReadCase{
            "titleAsNumber",
            document("\"2026-12-09T08:14:14Z\"",
                     R"("windows": [{"bundleID": "a", "title": 7, "frame": [[1, 2], [3, 4]]}])"),
            "window 0"},
        ReadCase{"flatFrame",
                 document("\"2026-12-09T08:14:14Z\"",
                          R"("windows": [{"bundleID": "a", "title": "b", "frame": [1, 2, 3, 4]}])"),
                 "window 0"},
        ReadCase{"notJson", "Captured 3 windows", "not JSON"},
        ReadCase{"array", "[]", "no JSON object"}, ReadCase{"empty", "", "not JSON"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CaptureFile, ReadsAnOffsetDateAsTheSameMoment) {
    writeBytes(path("capture.json"), document("\"2026-12-09T09:14:14+01:00\""));
    QString error;
    const std::optional<SpikeCapture> read = SpikeCaptureFile::read(path("capture.json"), &error);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->capturedAt, capturedAt);
}

// Whitespace fills a valid capture up to the bound, then one byte past it.
TEST_F(CaptureFile, ReadsAtMost64MiB) {
    const QByteArray valid = document("\"2026-12-09T08:14:14Z\"");
    QByteArray bytes = valid + QByteArray(SpikeCaptureFile::maxBytes - valid.size(), ' ');
    writeBytes(path("capture.json"), bytes);
    QString error;
    EXPECT_TRUE(SpikeCaptureFile::read(path("capture.json"), &error)) << error.toStdString();

    bytes.append(' ');
    writeBytes(path("capture.json"), bytes);
    EXPECT_FALSE(SpikeCaptureFile::read(path("capture.json"), &error));
    EXPECT_EQ(error, "the file is larger than 64 MiB");
}

} // namespace
} // namespace vellaro
