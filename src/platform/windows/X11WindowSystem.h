#pragma once

#include "platform/windows/WindowSystem.h"
#include "platform/windows/X11Connection.h"

#include <memory>

namespace vellaro {

class X11Atoms;
class X11Monitors;
class X11WindowCommands;
class X11WindowReader;

// The window system of an EWMH window manager over one X connection: Qt's
// for calls on the main thread, an own one for walks on a worker thread and
// for tools without a Qt application. Each call sends all requests of a step
// before it reads the first reply. Without a display every read is empty and
// every request refused.
class X11WindowSystem final : public WindowSystem {
public:
    explicit X11WindowSystem(X11Connection connection);
    ~X11WindowSystem() override;

    // On Qt's connection; main thread only, first used once the
    // QGuiApplication exists (before, it stays without a display).
    static X11WindowSystem& shared();

    bool isConnected() const;

    QList<ClientWindow> clientWindows() override;
    std::optional<QRect> frame(WindowId window) override;
    QList<std::optional<QRect>> frames(const QList<WindowId>& windows) override;
    bool setFrame(WindowId window, const QRect& frame) override;
    bool isMinimized(WindowId window) override;
    bool minimize(WindowId window) override;
    bool unminimize(WindowId window) override;
    WindowId activeWindow() override;
    bool activate(WindowId window) override;
    QList<Monitor> monitors() override;
    std::optional<QPoint> pointerPosition() override;

private:
    bool exists(WindowId window) const;

    X11Connection connection_;
    std::unique_ptr<X11Atoms> atoms_;
    std::unique_ptr<X11WindowReader> reader_;
    std::unique_ptr<X11WindowCommands> commands_;
    std::unique_ptr<X11Monitors> monitors_;
};

} // namespace vellaro
