#pragma once

#include "platform/apps/AppLauncher.h"

#include <QStringList>
#include <optional>

namespace vellaro {

// Runs the entry's Exec line as a detached process, never through a shell:
// in its Path= folder, inside a terminal (x-terminal-emulator, else xterm,
// with -e) when Terminal=true, and with GIO_LAUNCHED_DESKTOP_FILE naming the
// entry so its windows are recognised.
class ProcessAppLauncher final : public AppLauncher {
public:
    bool launch(const DesktopEntry& entry, QString* error) override;
    bool open(const DesktopEntry& entry, const QList<QUrl>& documents, bool activates,
              QString* error) override;

    // The program and its arguments for the entry; none when Exec is malformed.
    static std::optional<QStringList> commandLine(const DesktopEntry& entry, QString* error);

private:
    static bool start(const DesktopEntry& entry, QStringList command, bool activates,
                      QString* error);
};

} // namespace vellaro
