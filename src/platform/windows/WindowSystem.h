#pragma once

#include "platform/windows/Monitor.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

namespace vellaro {

// An X client window id.
using WindowId = std::uint32_t;

// What the window manager's client list says about one client window.
struct ClientWindow {
    WindowId id = 0;
    QString title;         // _NET_WM_NAME, else WM_NAME; empty when untitled
    std::uint32_t pid = 0; // _NET_WM_PID, else the X-Resource client pid; 0 unknown
    bool regular = false;  // normal, dialog or untyped, and on the taskbar
    bool minimized = false;

    // Clues to the application, as AppIdentity reads them.
    QString gtkApplicationId;
    QString kdeDesktopFile;
    QString wmInstance;
    QString wmClass;
};

// Reads and moves other programs' windows through the window manager.
// Frames are outer frames (decorations included) in X root pixels, y down.
// A request on a window that is gone fails quietly.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The client windows in the window manager's client-list order.
    virtual QList<ClientWindow> clientWindows() = 0;

    // The outer frame; none when the window is gone or cannot be read.
    virtual std::optional<QRect> frame(WindowId window) = 0;
    // Frames of many windows in one round trip, in the order asked.
    virtual QList<std::optional<QRect>> frames(const QList<WindowId>& windows) = 0;

    // Asks the window manager to give the window this outer frame. True when
    // the request went to a live window.
    virtual bool setFrame(WindowId window, const QRect& frame) = 0;

    virtual bool isMinimized(WindowId window) = 0;
    virtual bool minimize(WindowId window) = 0;
    // Shows an iconic window again without activating it.
    virtual bool unminimize(WindowId window) = 0;

    // The active client window, 0 for none.
    virtual WindowId activeWindow() = 0;
    virtual bool activate(WindowId window) = 0;

    // Monitors read afresh at each call, primary first; visible frames leave
    // out what docks reserve on the current desktop.
    virtual QList<Monitor> monitors() = 0;
    // The pointer in root pixels; none without a display.
    virtual std::optional<QPoint> pointerPosition() = 0;
};

} // namespace vellaro
