// Opens Vellaro's dial with the hot key through XTest and saves a
// screenshot of the whole screen with the dial on it. Used by scripts/run
// when there is no display of its own.
#include "trigger_probe.h"

#include <QCoreApplication>
#include <QImage>

#include <cstdio>
#include <thread>

using namespace std::chrono_literals;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() < 2) {
        std::fputs("usage: trigger_screenshot OUTPUT.png\n", stderr);
        return 64;
    }
    const QString output = app.arguments().at(1);
    TriggerProbe probe;
    if (!probe.connected()) {
        std::fputs("trigger_screenshot: no X display\n", stderr);
        return 1;
    }
    const auto panel = probe.findPanel(10s);
    if (!panel) {
        std::fputs("trigger_screenshot: Vellaro's dial window was not found\n", stderr);
        return 1;
    }
    probe.watchPanel(*panel);
    probe.movePointer(720, 450);
    std::this_thread::sleep_for(50ms);
    const auto hotKey = configuredHotKey();
    probe.pressKeys(hotKey);
    const bool mapped = probe.waitMapped(3s).has_value();
    probe.releaseKeys(hotKey);
    if (!mapped) {
        std::fputs("trigger_screenshot: the dial did not open\n", stderr);
        return 1;
    }
    // Let the bloom settle before taking the picture.
    std::this_thread::sleep_for(700ms);
    const QImage screen = probe.grabScreen();
    if (screen.isNull() || !screen.save(output)) {
        std::fprintf(stderr, "trigger_screenshot: could not save %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
