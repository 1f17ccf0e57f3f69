#pragma once

#include "model/SectionProvider.h"
#include "model/ThemeChoice.h"
#include "model/VellaroSettings.h"
#include "settings/panel/MXHapticsState.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace vellaro {
class SettingsWindowController;
}

namespace vellaro::windowshot {

// One picture of the settings console.
struct ConsoleShot {
    enum class State {
        idle,
        selected,
        toast,
        coach,
        library,
        largeFan,
        hotKey,
        mouse,
        presets,
        savePopover,
        renamePopover,
        advanced
    };

    State state = State::idle;
    ThemeChoice theme = ThemeChoice::pearl;
    bool darkDesktop = false;
    double pixelRatio = 1.0;
    // The sections' providers instead of the sample ones, and settings to start from.
    std::function<std::unique_ptr<SectionProvider>(SectionKind)> providers = {};
    std::function<void(VellaroSettings&)> prepare = {};
};

QImage renderConsole(const ConsoleShot& shot);
// Renders what `look` returns after the state is set up; the console when it
// returns null.
QImage renderConsole(const ConsoleShot& shot,
                     const std::function<QWidget*(SettingsWindowController&)>& look);
// The context panel's dial-wide body at its full height, ADVANCED open, the
// custom colour rows shown and the haptics row in `haptics`.
QImage renderDialWidePanel(ThemeChoice theme, bool darkDesktop, MXHapticsState haptics);

// Every state in pearl, eclipse and the system theme on a light and on a
// dark desktop. Returns how many images were written.
int writeConsoleSet(const QString& folder);

} // namespace vellaro::windowshot
