// The real program with a fresh home folder in the private session: the setup
// assistant opens and holds the dial back; once begun, it resumes at the
// rehearsal, which the real dial completes. The program's debug lines
// (QT_LOGGING_RULES) tell what happened.
#include "support/LoggedProgram.h"
#include "support/RunProgram.h"
#include "support/WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::runProgram;
using test::waitUntil;
using test::xdotool;

class OnboardingSession : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        xterm.start("xterm", {"-geometry", "80x24+40+40", "-title", "onboarding-target"});
        ASSERT_TRUE(xterm.waitForStarted());
        ASSERT_TRUE(waitUntil([&] { return !windowNamed("^onboarding-target$").isEmpty(); }));
        target = windowNamed("^onboarding-target$");
        xdotool({"windowactivate", "--sync", target});
    }

    void TearDown() override {
        for (QProcess* program : {&vellaro, &xterm}) {
            if (program->state() == QProcess::NotRunning)
                continue;
            program->terminate();
            if (!program->waitForFinished(5000))
                program->kill();
            program->waitForFinished(5000);
        }
    }

    static QString windowNamed(const QString& pattern) {
        return runProgram("xdotool", {"search", "--onlyvisible", "--name", pattern})
            .section('\n', 0, 0);
    }

    QString defaultsFile() const { return home.filePath("config/Vellaro/defaults.ini"); }

    void startVellaro() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("XDG_CACHE_HOME", home.filePath("cache"));
        env.insert(
            "QT_LOGGING_RULES",
            "vellaro.overlay.debug=true;vellaro.app.debug=true;vellaro.onboarding.debug=true");
        ASSERT_TRUE(
            test::startLogged(vellaro, log, env, QStringLiteral(VELLARO_BINARY), "Vellaro ready"))
            << log.constData();
    }

    bool logged(const QByteArray& line, int times = 1) {
        return waitUntil([&] { return log.count(line) >= times; });
    }

    // The mouse trigger (the Forward button) over the xterm, where the user works.
    void forwardClickOverTheXterm() {
        xdotool({"mousemove", "--window", target, "200", "150"});
        xdotool({"click", "9"});
    }

    QTemporaryDir home;
    QProcess xterm;
    QProcess vellaro;
    QByteArray log;
    QString target;
};

TEST_F(OnboardingSession, AFreshHomeOpensTheAssistantAndTheTriggerRaisesItInsteadOfTheDial) {
    startVellaro();
    ASSERT_TRUE(logged("setup assistant page welcome")) << log.constData();
    QString assistant;
    ASSERT_TRUE(waitUntil([&] {
        return !(assistant = windowNamed("^Welcome to Vellaro$")).isEmpty();
    })) << log.constData();
    EXPECT_TRUE(runProgram("xwininfo", {"-id", assistant}).contains("Map State: IsViewable"));

    xdotool({"windowactivate", "--sync", target});
    forwardClickOverTheXterm();
    ASSERT_TRUE(logged("setup assistant holds the dial back")) << log.constData();
    EXPECT_TRUE(waitUntil([&] { return runProgram("xdotool", {"getactivewindow"}) == assistant; }))
        << log.constData();
    EXPECT_FALSE(log.contains("posted \"vellaroOverlayDidShow\"")) << log.constData();
}

TEST_F(OnboardingSession, ABegunSetupResumesAtTheRehearsalWhichTheRealDialCompletes) {
    QDir().mkpath(QFileInfo(defaultsFile()).path());
    QSettings(defaultsFile(), QSettings::IniFormat).setValue("vellaroOnboardingBegun", true);
    startVellaro();
    // The session's window manager answers: window access is there.
    ASSERT_TRUE(logged("setup assistant page hotkey")) << log.constData();

    forwardClickOverTheXterm();
    ASSERT_TRUE(logged("posted \"vellaroOverlayDidShow\"")) << log.constData();
    EXPECT_FALSE(log.contains("setup assistant holds the dial back"));
    xdotool({"key", "Escape"});
    ASSERT_TRUE(logged("posted \"vellaroOverlayDidHide\"")) << log.constData();
    ASSERT_TRUE(logged("setup assistant page ready")) << log.constData();
    EXPECT_TRUE(
        QSettings(defaultsFile(), QSettings::IniFormat).value("vellaroHotkeyRehearsed").toBool());
    EXPECT_FALSE(
        QSettings(defaultsFile(), QSettings::IniFormat).contains("vellaroOnboardingCompleted"));
}

} // namespace
} // namespace vellaro
