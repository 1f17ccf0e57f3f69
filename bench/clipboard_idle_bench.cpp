// The clipboard history at rest: how often the process wakes and how much
// CPU it takes while nobody copies, over a minute (or the seconds given as
// the first argument). Wake-ups are the context switches of all of the
// process's threads. Needs an X display (scripts/test-session); prints
// numbers, asserts nothing.
#include "ClipboardBenchHistory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

using namespace vellaro;

namespace {

// Voluntary and involuntary context switches of every thread so far.
long long contextSwitches() {
    long long total = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(task + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:") ||
                line.startsWith("nonvoluntary_ctxt_switches:"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
    }
    return total;
}

double cpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 60;
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::printf("no X display: run it in scripts/test-session\n");
        return 0;
    }
    ClipboardBenchHistory history;
    // Settle: the load ends.
    QEventLoop settle;
    QTimer::singleShot(1000, &settle, &QEventLoop::quit);
    settle.exec();

    const long long switchesBefore = contextSwitches();
    const double cpuBefore = cpuMilliseconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop idle;
    QTimer::singleShot(seconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    const double elapsed = wall.elapsed() / 1000.0;
    const long long switches = contextSwitches() - switchesBefore;
    const double cpu = cpuMilliseconds() - cpuBefore;
    std::printf("idle for %.1f s: %.2f wake-ups per second (%lld context switches), CPU %.1f ms "
                "(%.4f %%)\n",
                elapsed, switches / elapsed, switches, cpu, cpu / (elapsed * 10.0));
    return 0;
}
