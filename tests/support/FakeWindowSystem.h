#pragma once

#include "platform/windows/WindowSystem.h"

#include <QHash>
#include <QString>

namespace vellaro::test {

// A WindowSystem over windows the test describes. Every request is logged as
// a line ("frame 7 10,20 300x200", "minimize 7", ...) so tests can check the
// order; a window missing from `windows` is gone.
class FakeWindowSystem final : public WindowSystem {
public:
    QList<ClientWindow> windows;
    QHash<WindowId, QRect> frameOf; // missing: unreadable
    QList<Monitor> monitorList;
    WindowId active = 0;
    std::optional<QPoint> pointer;
    bool refuseFrames = false; // setFrame reports a refusal
    QStringList requests;

    QList<ClientWindow> clientWindows() override { return windows; }

    std::optional<QRect> frame(WindowId window) override {
        if (!exists(window) || !frameOf.contains(window))
            return std::nullopt;
        return frameOf.value(window);
    }
    QList<std::optional<QRect>> frames(const QList<WindowId>& ids) override {
        QList<std::optional<QRect>> result;
        for (WindowId id : ids)
            result.append(frame(id));
        return result;
    }
    bool setFrame(WindowId window, const QRect& f) override {
        requests.append(QStringLiteral("frame %1 %2,%3 %4x%5")
                            .arg(window)
                            .arg(f.x())
                            .arg(f.y())
                            .arg(f.width())
                            .arg(f.height()));
        if (!exists(window) || refuseFrames)
            return false;
        frameOf.insert(window, f);
        return true;
    }
    bool isMinimized(WindowId window) override {
        const ClientWindow* w = find(window);
        return w != nullptr && w->minimized;
    }
    bool minimize(WindowId window) override { return setMinimized(window, true); }
    bool unminimize(WindowId window) override { return setMinimized(window, false); }
    WindowId activeWindow() override { return active; }
    bool activate(WindowId window) override {
        requests.append(QStringLiteral("activate %1").arg(window));
        if (!exists(window))
            return false;
        active = window;
        return true;
    }
    QList<Monitor> monitors() override { return monitorList; }
    std::optional<QPoint> pointerPosition() override { return pointer; }

    ClientWindow* find(WindowId window) {
        for (ClientWindow& w : windows)
            if (w.id == window)
                return &w;
        return nullptr;
    }

private:
    bool exists(WindowId window) { return find(window) != nullptr; }
    bool setMinimized(WindowId window, bool minimized) {
        requests.append(
            QStringLiteral("%1 %2")
                .arg(minimized ? QStringLiteral("minimize") : QStringLiteral("unminimize"))
                .arg(window));
        ClientWindow* w = find(window);
        if (w == nullptr)
            return false;
        w->minimized = minimized;
        return true;
    }
};

} // namespace vellaro::test
