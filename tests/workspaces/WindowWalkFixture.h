#pragma once

#include "support/FakeWindowSystem.h"
#include "workspaces/WindowAccess.h"
#include "workspaces/WindowWalk.h"

#include <QList>
#include <deque>
#include <functional>

namespace vellaro::test {

// Programs and windows on a fake window system, read through the real
// WindowAccess; each program is one pid whose windows carry its identifier
// as their WM_CLASS class.
class FakeDesktopWindows {
public:
    FakeWindowSystem system;
    WindowAccess access{system, [](const ClientWindow& window) { return window.wmClass; },
                        [](const QString&) { return QString(); }, ownPid};

    static constexpr std::uint32_t ownPid = 1;

    WindowId add(const QString& bundleID, std::uint32_t pid, const QString& title,
                 const QRect& frame, bool minimized = false) {
        const WindowId id = nextId_++;
        ClientWindow window;
        window.id = id;
        window.title = title;
        window.pid = pid;
        window.regular = true;
        window.minimized = minimized;
        window.wmInstance = bundleID;
        window.wmClass = bundleID;
        system.windows.append(window);
        system.frameOf.insert(id, frame);
        return id;
    }

    void remove(WindowId id) {
        system.windows.removeIf([id](const ClientWindow& window) { return window.id == id; });
    }

private:
    WindowId nextId_ = 100;
};

// A walk that answers at once, or, while `holding`, when the test releases
// it; either way it reads the windows at the moment it answers.
class ControlledWalk {
public:
    explicit ControlledWalk(const WindowAccess& access) : access_(access) {}

    bool holding = false;
    int walks = 0;
    std::function<void()> onWalk; // runs as each walk starts

    WindowWalk function() {
        return
            [this](const QList<SweepTarget>& targets, std::function<void(QList<LiveWindow>)> done) {
                ++walks;
                if (onWalk)
                    onWalk();
                if (holding)
                    pending_.push_back({targets, std::move(done)});
                else
                    done(access_.liveWindows(targets));
            };
    }

    std::size_t pendingCount() const { return pending_.size(); }
    // Answers the oldest walk still waiting.
    void releaseOldest() {
        Pending walk = std::move(pending_.front());
        pending_.pop_front();
        walk.done(access_.liveWindows(walk.targets));
    }

private:
    struct Pending {
        QList<SweepTarget> targets;
        std::function<void(QList<LiveWindow>)> done;
    };
    const WindowAccess& access_;
    std::deque<Pending> pending_;
};

} // namespace vellaro::test
