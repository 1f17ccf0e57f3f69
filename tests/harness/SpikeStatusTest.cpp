// The harness's exit statuses and messages, from the real program: without
// a display, without a window manager, with paths it cannot use, and with a
// write that fails half-way.
#include "HarnessRun.h"
#include "harness/SpikeCaptureFile.h"
#include "support/PrivateXSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace vellaro {
namespace {

using test::HarnessRun;
using test::PrivateXSession;
using test::runHarness;

const QString capture = QStringLiteral("--spike-capture");
const QString match = QStringLiteral("--spike-match");

class HarnessStatus : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        bare_ = new PrivateXSession;
        managed_ = new PrivateXSession;
        ASSERT_TRUE(bare_->start());
        ASSERT_TRUE(managed_->start());
        ASSERT_TRUE(managed_->startWindowManager());
    }
    static void TearDownTestSuite() {
        delete bare_;
        delete managed_;
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    static QString fileText(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    static void writeText(const QString& path, const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    static PrivateXSession* bare_;    // an X server alone
    static PrivateXSession* managed_; // with openbox, and no clients
    QTemporaryDir dir_;
};

PrivateXSession* HarnessStatus::bare_ = nullptr;
PrivateXSession* HarnessStatus::managed_ = nullptr;

TEST_F(HarnessStatus, WithoutADisplayBothCommandsEndWith2) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    const QString said =
        QStringLiteral("spike: window access is not available for this binary (no X display)\n");

    const HarnessRun captured = runHarness(capture, path("capture.json"), environment);
    EXPECT_EQ(captured.status, 2);
    EXPECT_EQ(captured.output, said);
    EXPECT_FALSE(QFile::exists(path("capture.json")));

    // Window access is asked before the file is looked at.
    const HarnessRun matched = runHarness(match, path("missing.json"), environment);
    EXPECT_EQ(matched.status, 2);
    EXPECT_EQ(matched.output, said);
}

TEST_F(HarnessStatus, WithoutAWindowManagerBothCommandsEndWith2) {
    const QString said = QStringLiteral(
        "spike: window access is not available for this binary (no EWMH window manager)\n");

    const HarnessRun captured = runHarness(capture, path("capture.json"), bare_->environment());
    EXPECT_EQ(captured.status, 2);
    EXPECT_EQ(captured.output, said);
    EXPECT_FALSE(QFile::exists(path("capture.json")));

    const HarnessRun matched = runHarness(match, path("missing.json"), bare_->environment());
    EXPECT_EQ(matched.status, 2);
    EXPECT_EQ(matched.output, said);
}

TEST_F(HarnessStatus, AnEmptyDesktopIsCapturedAndMatched) {
    const HarnessRun captured = runHarness(capture, path("capture.json"), managed_->environment());
    EXPECT_EQ(captured.status, 0);
    EXPECT_EQ(captured.output,
              "Captured 0 windows across 0 apps -> " + path("capture.json") + "\n");
    QString error;
    const std::optional<SpikeCapture> file = SpikeCaptureFile::read(path("capture.json"), &error);
    ASSERT_TRUE(file) << error.toStdString();
    EXPECT_TRUE(file->windows.empty());

    const HarnessRun matched = runHarness(match, path("capture.json"), managed_->environment());
    EXPECT_EQ(matched.status, 0);
    const QStringList lines = matched.output.split('\n');
    ASSERT_EQ(lines.size(), 4) << matched.output.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("Window re-match report (captured ")));
    EXPECT_TRUE(lines[0].endsWith(QLatin1String(" +0000)")));
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("app ")));
    EXPECT_EQ(lines[2], QStringLiteral("TOTAL: 0/0 matched (100%) — bar is 90%: PASS"));
    EXPECT_EQ(lines[3], QString());
}

// The capture written to standard output redirected into a file: the capture
// first, then the summary after it, nothing overwritten.
TEST_F(HarnessStatus, ACaptureToStandardOutputKeepsTheSummaryAfterIt) {
    QProcess process;
    process.setProcessEnvironment(managed_->environment());
    process.setStandardOutputFile(path("out"));
    process.start(QStringLiteral(VELLARO_BINARY), {capture, QStringLiteral("/dev/stdout")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);

    const QString summary = QStringLiteral("Captured 0 windows across 0 apps -> /dev/stdout\n");
    const QString written = fileText(path("out"));
    ASSERT_TRUE(written.endsWith(summary)) << written.toStdString();
    writeText(path("capture.json"), written.chopped(summary.size()).toUtf8());
    QString error;
    EXPECT_TRUE(SpikeCaptureFile::read(path("capture.json"), &error)) << error.toStdString();
}

TEST_F(HarnessStatus, APathUnderARegularFileEndsWith1) {
    writeText(path("plain"), "a file, not a folder");

    const HarnessRun captured =
        runHarness(capture, path("plain/capture.json"), managed_->environment());
    EXPECT_EQ(captured.status, 1);
    EXPECT_TRUE(captured.output.startsWith(QLatin1String("spike: failed to write capture: ")))
        << captured.output.toStdString();
    EXPECT_EQ(captured.output.count('\n'), 1);

    const HarnessRun matched =
        runHarness(match, path("plain/capture.json"), managed_->environment());
    EXPECT_EQ(matched.status, 1);
    EXPECT_TRUE(matched.output.startsWith(QLatin1String("spike: failed to read capture: ")))
        << matched.output.toStdString();
    EXPECT_EQ(matched.output.count('\n'), 1);
}

TEST_F(HarnessStatus, AnUnreadableCaptureEndsWith1) {
    writeText(path("capture.json"), R"({"windows": []})");
    const HarnessRun matched = runHarness(match, path("capture.json"), managed_->environment());
    EXPECT_EQ(matched.status, 1);
    EXPECT_EQ(matched.output, "spike: failed to read capture: \"capturedAt\" is missing\n");
}

// No byte may be written (a file-size limit of 0; the signal ignored, so the
// write fails instead of killing the program): the capture that was there
// stays as it was.
TEST_F(HarnessStatus, AFailedWriteKeepsTheCaptureThatWasThere) {
    const QByteArray before = R"({"capturedAt": "2026-12-09T08:14:14Z", "windows": []})";
    writeText(path("capture.json"), before);

    const HarnessRun captured =
        runHarness(capture, path("capture.json"), managed_->environment(), [] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit none{};
            getrlimit(RLIMIT_FSIZE, &none);
            none.rlim_cur = 0;
            setrlimit(RLIMIT_FSIZE, &none);
        });
    EXPECT_EQ(captured.status, 1);
    EXPECT_TRUE(captured.output.startsWith(QLatin1String("spike: failed to write capture: ")))
        << captured.output.toStdString();
    EXPECT_EQ(fileText(path("capture.json")), QString::fromUtf8(before));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"capture.json"});
}

} // namespace
} // namespace vellaro
