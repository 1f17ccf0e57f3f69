#pragma once

#include "platform/windows/X11WindowSystem.h"

#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <optional>
#include <utility>

namespace vellaro::test {

// Programs a session test starts; killed when it ends.
class SessionPrograms {
public:
    SessionPrograms() = default;
    // Programs started with this environment (another display's, say).
    explicit SessionPrograms(QProcessEnvironment environment)
        : environment_(std::move(environment)) {}
    SessionPrograms(const SessionPrograms&) = delete;
    SessionPrograms& operator=(const SessionPrograms&) = delete;
    ~SessionPrograms() {
        for (QProcess* program : programs_) {
            program->kill();
            program->waitForFinished(5000);
            delete program;
        }
    }

    QProcess* start(const QString& program, const QStringList& arguments) {
        auto* process = new QProcess;
        programs_.append(process);
        if (environment_)
            process->setProcessEnvironment(*environment_);
        process->start(program, arguments);
        return process;
    }

    // xeyes, `xclock -title Clock` and `xterm -T Notes` at known places.
    QProcess* startEyesClockAndNotes() {
        QProcess* eyes = start("xeyes", {"-geometry", "150x100+40+60"});
        start("xclock", {"-title", "Clock", "-geometry", "200x200+300+60"});
        start("xterm", {"-T", "Notes", "-geometry", "60x10+40+400"});
        return eyes;
    }

    // The client window with this title, as the window manager lists it.
    static std::optional<ClientWindow> windowTitled(const QString& title) {
        for (const ClientWindow& window : X11WindowSystem::shared().clientWindows())
            if (window.title == title)
                return window;
        return std::nullopt;
    }

private:
    std::optional<QProcessEnvironment> environment_;
    QList<QProcess*> programs_;
};

} // namespace vellaro::test
