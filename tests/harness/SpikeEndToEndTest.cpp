// The harness against a real X server and window manager of this test's own:
// xterm, xeyes and xclock are captured, then matched again after a move, a
// new title and a program that quit.
#include "HarnessRun.h"
#include "harness/SpikeCaptureFile.h"
#include "platform/windows/X11WindowSystem.h"
#include "support/PrivateXSession.h"
#include "support/SessionPrograms.h"
#include "support/WaitUntil.h"

#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace vellaro {
namespace {

using test::PrivateXSession;
using test::runHarness;
using test::SessionPrograms;
using test::waitUntil;

const QString report = QStringLiteral(
    "TOTAL: 3/3 matched (100%) — bar is 90%: PASS\n"); // the last line when all match

class HarnessEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session_.start());
        ASSERT_TRUE(session_.startWindowManager());
        programs_.emplace(session_.environment());
        windows_.emplace(X11Connection::open(session_.display().toLocal8Bit()));
        eyes_ = programs_->startEyesClockAndNotes();
        ASSERT_TRUE(
            waitUntil([this] { return window("Notes") && window("xeyes") && window("Clock"); }));
    }

    // The client window with this title, once its frame can be read.
    std::optional<ClientWindow> window(const QString& title) {
        for (const ClientWindow& client : windows_->clientWindows())
            if (client.title == title && windows_->frame(client.id))
                return client;
        return std::nullopt;
    }

    test::HarnessRun run(const QString& command) {
        return runHarness(command, capturePath(), session_.environment());
    }

    void xdotool(const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(session_.environment());
        process.start(QStringLiteral("xdotool"), arguments);
        ASSERT_TRUE(process.waitForFinished(10000));
    }

    QString capturePath() const { return dir_.filePath(QStringLiteral("capture.json")); }

    // A report row of an application with one window found by `tier`.
    static QString row(const QString& bundleID, const QString& tier) {
        return bundleID + QString(std::max<qsizetype>(0, 40 - bundleID.size()), ' ') +
               "1    1    " + tier + "\n";
    }

    PrivateXSession session_;
    std::optional<SessionPrograms> programs_;
    std::optional<X11WindowSystem> windows_;
    QProcess* eyes_ = nullptr;
    QTemporaryDir dir_;
};

TEST_F(HarnessEndToEnd, FindsTheCapturedWindowsAgainUntilOneIsGone) {
    const test::HarnessRun captured = run(QStringLiteral("--spike-capture"));
    ASSERT_EQ(captured.status, 0);
    EXPECT_EQ(captured.output, "Captured 3 windows across 3 apps -> " + capturePath() + "\n");

    // The file holds each window's title and outer frame, by application.
    QString error;
    const std::optional<SpikeCapture> file = SpikeCaptureFile::read(capturePath(), &error);
    ASSERT_TRUE(file) << error.toStdString();
    QHash<QString, QString> appOf;
    for (const CapturedWindow& recorded : file->windows) {
        const std::optional<ClientWindow> client = window(recorded.title);
        ASSERT_TRUE(client) << recorded.title.toStdString();
        EXPECT_EQ(recorded.frame, QRectF(*windows_->frame(client->id)));
        EXPECT_FALSE(recorded.bundleID.isEmpty());
        appOf.insert(recorded.title, recorded.bundleID);
    }
    ASSERT_EQ(appOf.keys().size(), 3);

    test::HarnessRun matched = run(QStringLiteral("--spike-match"));
    EXPECT_EQ(matched.status, 0);
    for (const QString title : {"Notes", "xeyes", "Clock"})
        EXPECT_TRUE(matched.output.contains(row(appOf[title], "exactTitle:1")))
            << matched.output.toStdString();
    EXPECT_TRUE(matched.output.endsWith(report)) << matched.output.toStdString();

    // Moved: still found by its title.
    const ClientWindow notes = *window("Notes");
    const QRect before = *windows_->frame(notes.id);
    xdotool({"windowmove", QString::number(notes.id), "700", "500"});
    ASSERT_TRUE(waitUntil([&] { return windows_->frame(notes.id) != before; }));
    matched = run(QStringLiteral("--spike-match"));
    EXPECT_TRUE(matched.output.contains(row(appOf["Notes"], "exactTitle:1")))
        << matched.output.toStdString();
    EXPECT_TRUE(matched.output.endsWith(report)) << matched.output.toStdString();

    // Retitled in place: only its frame still matches.
    const ClientWindow clock = *window("Clock");
    xdotool({"set_window", "--name", "Somewhere else", QString::number(clock.id)});
    ASSERT_TRUE(waitUntil([&] { return window("Somewhere else").has_value(); }));
    matched = run(QStringLiteral("--spike-match"));
    EXPECT_TRUE(matched.output.contains(row(appOf["Clock"], "frame:1")))
        << matched.output.toStdString();
    EXPECT_TRUE(matched.output.endsWith(report)) << matched.output.toStdString();

    // Gone: its window is listed and the total falls below the bar.
    eyes_->kill();
    eyes_->waitForFinished(5000);
    ASSERT_TRUE(waitUntil([&] { return !window("xeyes"); }));
    matched = run(QStringLiteral("--spike-match"));
    EXPECT_EQ(matched.status, 0);
    EXPECT_TRUE(matched.output.contains(
        appOf["xeyes"] + QString(std::max<qsizetype>(0, 40 - appOf["xeyes"].size()), ' ') +
        "1    0    \n"))
        << matched.output.toStdString();
    EXPECT_TRUE(matched.output.contains("  UNMATCHED: [" + appOf["xeyes"] + "] xeyes\n"));
    EXPECT_TRUE(matched.output.endsWith("TOTAL: 2/3 matched (67%) — bar is 90%: FAIL\n"))
        << matched.output.toStdString();
}

} // namespace
} // namespace vellaro
