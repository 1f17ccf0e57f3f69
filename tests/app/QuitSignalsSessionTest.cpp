// The real program ends on SIGTERM and SIGINT through its event loop, so
// what runs on quit (saves, an update waiting to install) runs at logout.
#include "support/WaitUntil.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <csignal>

namespace vellaro {
namespace {

TEST(QuitSignals, TheProgramQuitsThroughItsEventLoop) {
    for (const int signal : {SIGTERM, SIGINT}) {
        QProcess vellaro;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_LOGGING_RULES", "vellaro.app.debug=true");
        vellaro.setProcessEnvironment(env);
        vellaro.setProcessChannelMode(QProcess::MergedChannels);
        QByteArray log;
        QObject::connect(&vellaro, &QProcess::readyRead, [&] { log += vellaro.readAll(); });
        vellaro.start(QStringLiteral(VELLARO_BINARY), {});
        ASSERT_TRUE(vellaro.waitForStarted());
        ASSERT_TRUE(test::waitUntil([&] { return log.contains("Vellaro ready"); }, 30000))
            << log.constData();

        ::kill(pid_t(vellaro.processId()), signal);
        ASSERT_TRUE(vellaro.waitForFinished(10000));
        log += vellaro.readAll();
        EXPECT_EQ(vellaro.exitStatus(), QProcess::NormalExit) << log.constData();
        EXPECT_EQ(vellaro.exitCode(), 0);
        EXPECT_TRUE(log.contains(signal == SIGTERM ? "Quitting on SIGTERM" : "Quitting on SIGINT"))
            << log.constData();
    }
}

} // namespace
} // namespace vellaro
