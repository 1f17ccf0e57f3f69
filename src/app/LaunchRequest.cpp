#include "app/LaunchRequest.h"

#include <array>
#include <utility>

namespace vellaro {

namespace {

constexpr std::array<std::pair<const char*, LaunchRequest::Action>, 4> kActions{{
    {"--open-settings", LaunchRequest::openSettings},
    {"--setup", LaunchRequest::setup},
    {"--check-for-updates", LaunchRequest::checkForUpdates},
    {"--quit", LaunchRequest::quit},
}};

} // namespace

LaunchRequest LaunchRequest::fromArguments(const QStringList& arguments) {
    LaunchRequest request;
    if (arguments.size() >= 3) {
        if (arguments[1] == QLatin1String("--spike-capture"))
            return {Mode::SpikeCapture, arguments[2], 0, {}};
        if (arguments[1] == QLatin1String("--spike-match"))
            return {Mode::SpikeMatch, arguments[2], 0, {}};
    }
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return {Mode::Help, {}, 0, {}};
        if (argument == QLatin1String("--version"))
            return {Mode::Version, {}, 0, {}};
        // Without its file the harness is not asked for: the program starts.
        if (i == 1 && arguments.size() == 2 &&
            (argument == QLatin1String("--spike-capture") ||
             argument == QLatin1String("--spike-match")))
            break;
        bool known = false;
        for (const auto& [name, action] : kActions) {
            if (argument == QLatin1String(name)) {
                request.actions |= action;
                known = true;
            }
        }
        if (!known)
            return {Mode::Usage, {}, 0, argument};
    }
    return request;
}

QString LaunchRequest::usage() {
    return QStringLiteral(
        "Usage: vellaro [OPTION...]\n"
        "A radial menu that opens around the mouse pointer.\n"
        "\n"
        "Started again while it runs, Vellaro hands the request to the running copy\n"
        "and exits; without options that opens its settings.\n"
        "\n"
        "  --open-settings         open the settings console\n"
        "  --setup                 open the setup assistant\n"
        "  --check-for-updates     check for a newer version now\n"
        "  --quit                  quit the running copy\n"
        "  --spike-capture FILE    record the open windows to FILE (the window-matching harness)\n"
        "  --spike-match FILE      find the windows recorded in FILE again\n"
        "  -h, --help              show this help and exit\n"
        "  --version               show the version and exit\n");
}

} // namespace vellaro
