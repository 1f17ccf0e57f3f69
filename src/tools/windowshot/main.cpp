// windowshot: renders the program's windows offscreen to PNG files, for
// looking at them.
//
//   windowshot --window settings --out console.png [--theme system|pearl|eclipse|charcoal|custom]
//              [--dark] [--state
//              idle|selected|toast|coach|library|large-fan|hotkey|mouse|presets|save|rename]
//              [--pixel-ratio R]
//   windowshot --standard-set DIR   writes the reference set of every window into DIR

#include "ConsoleShot.h"
#include "HapticsShot.h"
#include "HistoryShot.h"
#include "OnboardingShot.h"
#include "SectionPanelShot.h"

#include "model/EnumRawValue.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

using vellaro::windowshot::ConsoleShot;

namespace {

std::optional<ConsoleShot::State> stateNamed(const QString& name) {
    const std::pair<const char*, ConsoleShot::State> names[] = {
        {"idle", ConsoleShot::State::idle},
        {"selected", ConsoleShot::State::selected},
        {"toast", ConsoleShot::State::toast},
        {"coach", ConsoleShot::State::coach},
        {"library", ConsoleShot::State::library},
        {"large-fan", ConsoleShot::State::largeFan},
        {"hotkey", ConsoleShot::State::hotKey},
        {"mouse", ConsoleShot::State::mouse},
        {"presets", ConsoleShot::State::presets},
        {"save", ConsoleShot::State::savePopover},
        {"rename", ConsoleShot::State::renamePopover},
        {"advanced", ConsoleShot::State::advanced}};
    for (const auto& [text, state] : names)
        if (name == QLatin1String(text))
            return state;
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription("Renders the program's windows offscreen to PNG.");
    args.addHelpOption();
    args.addOptions({
        {"out", "PNG file to write.", "file"},
        {"standard-set", "Write the reference set of PNGs into a folder.", "dir"},
        {"window", "The window: settings.", "name", "settings"},
        {"state",
         "idle, selected, toast, coach, library, large-fan, hotkey, mouse, presets, save or "
         "rename.",
         "state", "idle"},
        {"theme", "system, pearl, eclipse, charcoal or custom.", "theme", "pearl"},
        {"dark", "The desktop is dark (for the system theme)."},
        {"pixel-ratio", "Device pixel ratio of the image.", "ratio", "1"},
    });
    args.process(app);

    if (args.isSet("standard-set")) {
        const QString dir = args.value("standard-set");
        QDir().mkpath(dir);
        const int written = vellaro::windowshot::writeConsoleSet(dir) +
                            vellaro::windowshot::writeHistorySet(dir) +
                            vellaro::windowshot::writeOnboardingSet(dir) +
                            vellaro::windowshot::writeHapticsSet(dir) +
                            vellaro::windowshot::writeSectionPanelSet(dir);
        std::printf("%d images in %s\n", written, qPrintable(dir));
        return written > 0 ? 0 : 1;
    }
    if (!args.isSet("out") || args.value("window") != QLatin1String("settings")) {
        std::fprintf(stderr, "windowshot: --out with --window settings, or --standard-set\n");
        return 2;
    }
    const auto state = stateNamed(args.value("state"));
    const auto theme = vellaro::fromRawValue<vellaro::ThemeChoice>(args.value("theme"));
    const double ratio = args.value("pixel-ratio").toDouble();
    if (!state || !theme || ratio <= 0) {
        std::fprintf(stderr, "windowshot: unknown state or theme, or a bad pixel ratio\n");
        return 2;
    }
    const ConsoleShot shot{*state, *theme, args.isSet("dark"), ratio};
    if (!vellaro::windowshot::renderConsole(shot).save(args.value("out"))) {
        std::fprintf(stderr, "windowshot: cannot write %s\n", qPrintable(args.value("out")));
        return 1;
    }
    return 0;
}
