// Measures Vellaro from the outside inside an X session (scripts/test-session):
// start-up to ready, resident memory after start, trigger latency from an
// XTest key press to the dial's first painted frame, and idle CPU.
// Prints figures against their targets; asserts nothing.
#include "trigger_probe.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

double ms(TriggerProbe::Clock::duration d) {
    return duration<double, std::milli>(d).count();
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(std::ceil(p * values.size())) - 1;
    return values[std::min(index, values.size() - 1)];
}

long residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

double cpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the parenthesised command name; utime and stime are 14 and 15.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields[11].toDouble() + fields[12].toDouble()) / sysconf(_SC_CLK_TCK);
}

void report(const char* name, double value, const char* unit, const char* target) {
    std::printf("%-34s %10.2f %-4s (target %s)\n", name, value, unit, target);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    int runs = 50;
    int idleSeconds = 60;
    QString binary = QStringLiteral(VELLARO_BINARY);
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--runs")
            runs = args[i + 1].toInt();
        else if (args[i] == "--idle-seconds")
            idleSeconds = args[i + 1].toInt();
        else if (args[i] == "--binary")
            binary = args[i + 1];
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("trigger_latency: needs an X display; run it inside scripts/test-session\n",
                   stderr);
        return 2;
    }

    if (!configureSessionHotKey()) {
        std::fputs("trigger_latency: cannot write the settings file\n", stderr);
        return 1;
    }
    QProcess vellaro;
    vellaro.setProcessChannelMode(QProcess::SeparateChannels);
    const auto launched = TriggerProbe::Clock::now();
    vellaro.start(binary, {});
    if (!vellaro.waitForStarted(5000)) {
        std::fprintf(stderr, "trigger_latency: could not start %s\n", qPrintable(binary));
        return 1;
    }
    std::optional<TriggerProbe::Clock::time_point> ready;
    QByteArray log;
    vellaro.setReadChannel(QProcess::StandardError);
    while (!ready && vellaro.waitForReadyRead(10000)) {
        log += vellaro.readAllStandardError();
        if (log.contains("Vellaro ready"))
            ready = TriggerProbe::Clock::now();
    }
    if (!ready) {
        std::fprintf(stderr, "trigger_latency: Vellaro did not get ready:\n%s\n", log.constData());
        return 1;
    }
    std::this_thread::sleep_for(500ms);
    const long rss = residentKiB(vellaro.processId());

    TriggerProbe probe;
    const auto panel = probe.findPanel(5s);
    if (!panel || !probe.watchPanel(*panel)) {
        std::fputs("trigger_latency: dial window or XDamage not found\n", stderr);
        return 1;
    }
    const auto hotKey = configuredHotKey();
    std::vector<double> toMap;
    std::vector<double> toFrame;
    int misses = 0;
    for (int run = 0; run < runs; ++run) {
        probe.movePointer(400 + (run % 5) * 120, 300 + (run % 3) * 100);
        std::this_thread::sleep_for(30ms);
        const auto pressed = TriggerProbe::Clock::now();
        probe.pressKeys(hotKey);
        const auto mapped = probe.waitMapped(2s);
        const auto painted = mapped ? probe.waitPainted(2s) : std::nullopt;
        probe.releaseKeys(hotKey);
        if (mapped && painted) {
            toMap.push_back(ms(*mapped - pressed));
            toFrame.push_back(ms(*painted - pressed));
        } else {
            ++misses;
            std::fprintf(stderr, "run %d: %s\n", run, mapped ? "no paint seen" : "not mapped");
        }
        probe.tap(0xff1b); // Escape closes the dial
        if (!probe.waitUnmapped(2s))
            std::fprintf(stderr, "run %d: Escape did not close the dial\n", run);
        std::this_thread::sleep_for(50ms);
    }

    const double before = cpuSeconds(vellaro.processId());
    std::this_thread::sleep_for(seconds(idleSeconds));
    const double after = cpuSeconds(vellaro.processId());

    std::printf("Vellaro trigger benchmark (%d runs, %d missed)\n", runs, misses);
    report("start-up to ready", ms(*ready - launched), "ms", "< 300 ms");
    report("resident memory after start", rss / 1024.0, "MiB", "< 40 MiB");
    report("press to panel mapped, median", percentile(toMap, 0.5), "ms", "-");
    report("press to first frame, median", percentile(toFrame, 0.5), "ms", "<= 16 ms");
    report("press to first frame, p95", percentile(toFrame, 0.95), "ms", "<= 33 ms");
    report("idle CPU", 100.0 * (after - before) / std::max(1, idleSeconds), "%", "< 0.5 %");

    vellaro.terminate();
    vellaro.waitForFinished(3000);
    return 0;
}
