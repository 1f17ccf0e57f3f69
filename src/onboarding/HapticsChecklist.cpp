#include "onboarding/HapticsChecklist.h"

namespace vellaro::HapticsChecklist {

std::array<Row, 3> rows(const HapticsSetupState& s) {
    Row companion{QStringLiteral("Logi Options+"),
                  s.optionsPlusReady
                      ? QStringLiteral("Found on this computer")
                      : QStringLiteral("Logitech's app manages the mouse — install it first"),
                  s.optionsPlusReady ? Dot::done : Dot::neutral,
                  s.optionsPlusReady ? Chip::none : Chip::getOptionsPlus};

    // The answer counts before the folder: a folder alone proves nothing runs.
    Row plugin{QStringLiteral("Haptic Web Plugin"), QString(), Dot::neutral,
               s.connected ? Chip::none : Chip::download};
    if (s.connected) {
        plugin.detail = QStringLiteral("Installed and connected");
        plugin.dot = Dot::done;
    } else if (s.pluginOnDisk) {
        plugin.detail = QStringLiteral("Installed — waiting for Logi's plugin service");
        plugin.dot = Dot::waiting;
    } else {
        plugin.detail =
            QStringLiteral("Download, then double-click the file — Options+ installs it");
    }

    Row tick{QStringLiteral("Feel a tick"), QString(),
             s.connected && s.burstSent ? Dot::done : Dot::neutral,
             s.connected ? Chip::test : Chip::none};
    if (!s.connected)
        tick.detail = QStringLiteral("Waiting for the plugin…");
    else if (!s.burstSent)
        tick.detail = QStringLiteral("Ready");
    else
        tick.detail = QStringLiteral("4-tick burst sent — feel it?");
    return {companion, plugin, tick};
}

QString chipLabel(Chip chip) {
    switch (chip) {
    case Chip::none:
        return {};
    case Chip::getOptionsPlus:
        return QStringLiteral("Get Options+");
    case Chip::download:
        return QStringLiteral("Download");
    case Chip::test:
        return QStringLiteral("Test");
    }
    return {};
}

} // namespace vellaro::HapticsChecklist
