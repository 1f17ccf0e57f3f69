#pragma once

#include "model/ThemeChoice.h"

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
        renamePopover
    };

    State state = State::idle;
    ThemeChoice theme = ThemeChoice::pearl;
    bool darkDesktop = false;
    double pixelRatio = 1.0;
};

QImage renderConsole(const ConsoleShot& shot);

// Every state in pearl, eclipse and the system theme on a light and on a
// dark desktop. Returns how many images were written.
int writeConsoleSet(const QString& folder);

} // namespace vellaro::windowshot
