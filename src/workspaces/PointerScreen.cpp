#include "workspaces/PointerScreen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace vellaro {

QRect pointerScreenVisibleFrame() {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace vellaro
