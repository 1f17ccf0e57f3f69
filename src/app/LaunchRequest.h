#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace vellaro {

// What the command line asks for. The first entry is the program path.
struct LaunchRequest {
    enum class Mode { Application, SpikeCapture, SpikeMatch, Help, Version, Usage };

    // What a launch asks of the running program; several may be combined.
    enum Action : std::uint32_t {
        openSettings = 1,    // "--open-settings"
        setup = 2,           // "--setup"
        checkForUpdates = 4, // "--check-for-updates"
        quit = 8,            // "--quit"
    };
    static constexpr std::uint32_t allActions = openSettings | setup | checkForUpdates | quit;

    Mode mode = Mode::Application;
    QString harnessPath;       // the file for SpikeCapture and SpikeMatch
    std::uint32_t actions = 0; // Action bits, in any order on the line
    QString badArgument;       // the argument that made it Usage

    static LaunchRequest fromArguments(const QStringList& arguments);

    // What the copy already running does for this launch: launching a
    // running program again opens its settings console.
    std::uint32_t forwardedActions() const { return actions != 0 ? actions : openSettings; }

    // The options, as --help prints them.
    static QString usage();

    bool operator==(const LaunchRequest&) const = default;
};

} // namespace vellaro
