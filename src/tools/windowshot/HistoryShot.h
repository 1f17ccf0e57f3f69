#pragma once

#include "model/ThemeChoice.h"

#include <QImage>
#include <QString>

namespace vellaro::windowshot {

// One picture of the clipboard history window.
struct HistoryShot {
    enum class State { rows, nothingCopied, noMatches };

    State state = State::rows;
    ThemeChoice theme = ThemeChoice::pearl;
    bool darkDesktop = false;
    int hoveredRow = 1; // rows only; -1 for none
};

QImage renderHistory(const HistoryShot& shot);

// Every state in pearl and eclipse. Returns how many images were written.
int writeHistorySet(const QString& folder);

} // namespace vellaro::windowshot
