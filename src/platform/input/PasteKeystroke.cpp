#include "platform/input/PasteKeystroke.h"

#include <array>
#include <utility>

namespace vellaro {

namespace {

constexpr std::array terminals{
    std::pair{"xterm", PasteKeystroke::shiftInsertPrimary},
    std::pair{"uxterm", PasteKeystroke::shiftInsertPrimary},
    std::pair{"urxvt", PasteKeystroke::controlShiftV},
    std::pair{"rxvt", PasteKeystroke::controlShiftV},
    std::pair{"gnome-terminal", PasteKeystroke::controlShiftV},
    std::pair{"gnome-terminal-server", PasteKeystroke::controlShiftV},
    std::pair{"konsole", PasteKeystroke::controlShiftV},
    std::pair{"xfce4-terminal", PasteKeystroke::controlShiftV},
    std::pair{"alacritty", PasteKeystroke::controlShiftV},
    std::pair{"kitty", PasteKeystroke::controlShiftV},
    std::pair{"tilix", PasteKeystroke::controlShiftV},
    std::pair{"terminator", PasteKeystroke::controlShiftV},
    std::pair{"st", PasteKeystroke::controlShiftV},
    std::pair{"st-256color", PasteKeystroke::controlShiftV},
};

} // namespace

PasteKeystroke pasteKeystrokeFor(const QStringList& windowClass) {
    for (const QString& name : windowClass) {
        for (const auto& [terminal, keystroke] : terminals) {
            if (name.compare(QLatin1String(terminal), Qt::CaseInsensitive) == 0)
                return keystroke;
        }
    }
    return PasteKeystroke::controlV;
}

} // namespace vellaro
