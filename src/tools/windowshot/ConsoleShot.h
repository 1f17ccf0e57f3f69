#pragma once

#include "model/ThemeChoice.h"
#include "settings/MXHapticsState.h"

#include <QImage>
#include <QString>

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
};

QImage renderConsole(const ConsoleShot& shot);
// The context panel's dial-wide body at its full height, ADVANCED open, the
// custom colour rows shown and the haptics row in `haptics`.
QImage renderDialWidePanel(ThemeChoice theme, bool darkDesktop, MXHapticsState haptics);

// Every state in pearl, eclipse and the system theme on a light and on a
// dark desktop. Returns how many images were written.
int writeConsoleSet(const QString& folder);

} // namespace vellaro::windowshot
