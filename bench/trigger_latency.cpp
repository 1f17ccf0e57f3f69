// Measures Vellaro from the outside inside an X session (scripts/test-session):
// start-up to ready; for each XTest press of the hot key, the time until the
// dial's window is mapped, until its first paint, and until the pixels under
// the pointer change on screen (what the user sees); resident memory after
// start, after the openings and after an idle minute; idle CPU; and the
// openings that follow the idle minute.
// Prints figures against their targets; asserts nothing.
#include "pointer_pixel_watch.h"
#include "process_figures.h"
#include "trigger_probe.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
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

void reportResident(const char* name, const Resident& r, const char* target) {
    std::printf("%-40s %10.2f MiB  (anonymous %.2f, files %.2f, shared memory %.2f; target %s)\n",
                name, r.total / 1024.0, r.anonymous / 1024.0, r.files / 1024.0, r.shared / 1024.0,
                target);
}

void report(const char* name, double value, const char* unit, const char* target) {
    std::printf("%-40s %10.2f %-4s (target %s)\n", name, value, unit, target);
}

// Press-to-event times of a series of openings, in milliseconds.
struct Series {
    std::vector<double> mapped;
    std::vector<double> painted;
    std::vector<double> pixels;
    std::vector<double> mapToPixels;
    int misses = 0;
};

void reportTimes(const char* name, const std::vector<double>& values, const char* target) {
    std::printf("%-40s median %6.2f  p95 %6.2f  max %6.2f ms  (target %s)\n", name,
                percentile(values, 0.5), percentile(values, 0.95), percentile(values, 1.0), target);
}

void reportSeries(const char* title, const Series& series) {
    std::printf("%s (%zu measured, %d missed)\n", title, series.pixels.size(), series.misses);
    reportTimes("  press to panel mapped", series.mapped, "-");
    reportTimes("  press to first paint", series.painted, "-");
    reportTimes("  press to pixels changed at the pointer", series.pixels, "median <= 8 ms");
    reportTimes("  panel mapped to pixels changed", series.mapToPixels, "median <= 1 ms");
    if (!series.pixels.empty())
        std::printf("%-40s %6.2f ms  (target within 2 ms of the median)\n",
                    "  first opening: press to pixels", series.pixels.front());
}

// Opens the dial `runs` times with the hot key at a few pointer positions
// and closes it with Escape after each.
Series measureOpenings(TriggerProbe& probe, PointerPixelWatch& watch,
                       const std::vector<xcb_keysym_t>& hotKey, int runs) {
    Series series;
    for (int run = 0; run < runs; ++run) {
        const int x = 400 + (run % 5) * 120;
        const int y = 300 + (run % 3) * 100;
        probe.movePointer(x, y);
        std::this_thread::sleep_for(30ms);
        watch.start(x, y, 2s);
        const auto pressed = TriggerProbe::Clock::now();
        probe.pressKeys(hotKey);
        const auto mapped = probe.waitMapped(2s);
        const auto painted = mapped ? probe.waitPainted(2s) : std::nullopt;
        const auto changed = watch.finish();
        probe.releaseKeys(hotKey);
        if (mapped && painted && changed) {
            series.mapped.push_back(ms(*mapped - pressed));
            series.painted.push_back(ms(*painted - pressed));
            series.pixels.push_back(ms(*changed - pressed));
            series.mapToPixels.push_back(ms(*changed - *mapped));
        } else {
            ++series.misses;
            std::fprintf(stderr, "run %d: %s\n", run,
                         !mapped    ? "not mapped"
                         : !painted ? "no paint seen"
                                    : "no pixel changed at the pointer");
        }
        probe.tap(0xff1b); // Escape closes the dial
        if (!probe.waitUnmapped(2s))
            std::fprintf(stderr, "run %d: Escape did not close the dial\n", run);
        std::this_thread::sleep_for(50ms);
    }
    return series;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    int runs = 30;
    int idleSeconds = 60;
    int laterRuns = 10;
    QString binary = QStringLiteral(VELLARO_BINARY);
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--runs")
            runs = args[i + 1].toInt();
        else if (args[i] == "--idle-seconds")
            idleSeconds = args[i + 1].toInt();
        else if (args[i] == "--later-runs")
            laterRuns = args[i + 1].toInt();
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
    const qint64 pid = vellaro.processId();
    const Resident rssStart = residentOf(pid);

    TriggerProbe probe;
    PointerPixelWatch watch;
    const auto panel = probe.findPanel(5s);
    if (!panel || !probe.watchPanel(*panel) || !watch.connected()) {
        std::fputs("trigger_latency: dial window or XDamage not found\n", stderr);
        return 1;
    }
    const auto hotKey = configuredHotKey();
    const Series openings = measureOpenings(probe, watch, hotKey, runs);
    std::this_thread::sleep_for(1s);
    const Resident rssOpenings = residentOf(pid);

    const double cpuBefore = cpuSecondsOf(pid);
    const WakeUps wakeUpsBefore = wakeUpsOf(pid);
    std::this_thread::sleep_for(seconds(idleSeconds));
    const double cpuAfter = cpuSecondsOf(pid);
    const WakeUps wakeUpsAfter = wakeUpsOf(pid);
    const Resident rssIdle = residentOf(pid);
    const Series later = measureOpenings(probe, watch, hotKey, laterRuns);

    std::printf("Vellaro trigger benchmark (%s)\n", qPrintable(binary));
    report("start-up to ready", ms(*ready - launched), "ms", "< 300 ms");
    reportSeries("Openings", openings);
    reportSeries("Openings after the idle minute", later);
    reportResident("resident memory after start", rssStart, "< 40 MiB");
    reportResident("resident memory after the openings", rssOpenings, "-");
    reportResident("resident memory after the idle minute", rssIdle, "<= 32 MiB");
    report("idle CPU", 100.0 * (cpuAfter - cpuBefore) / std::max(1, idleSeconds), "%", "< 0.5 %");
    report("idle wake-ups",
           double(wakeUpsBetween(wakeUpsBefore, wakeUpsAfter)) / std::max(1, idleSeconds), "/s",
           "<= 1 /s without a status area");
    std::printf("largest mapped files (resident):\n");
    for (const MappedFile& file : largestMappedFiles(pid, 10))
        std::printf("  %8.2f MiB  %s\n", file.residentKiB / 1024.0, qPrintable(file.path));

    vellaro.terminate();
    vellaro.waitForFinished(3000);
    return 0;
}
