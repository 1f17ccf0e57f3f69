#pragma once

#include <QString>
#include <QStringList>

namespace vellaro {

// What the command line asks for. The first entry is the program path.
struct LaunchRequest {
    enum class Mode { Application, SpikeCapture, SpikeMatch };

    Mode mode = Mode::Application;
    QString harnessPath;       // the file for SpikeCapture and SpikeMatch
    bool openSettings = false; // "--open-settings" anywhere on the line

    static LaunchRequest fromArguments(const QStringList& arguments);

    bool operator==(const LaunchRequest&) const = default;
};

} // namespace vellaro
