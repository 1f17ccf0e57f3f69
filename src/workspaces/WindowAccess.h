#pragma once

#include "core/CapturedWindow.h"
#include "platform/windows/WindowSystem.h"

#include <QList>
#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

namespace vellaro {

// A handle to one live window that records and closures can keep. Equal
// handles name the same window.
struct WindowHandle {
    WindowId id = 0;
    friend bool operator==(const WindowHandle&, const WindowHandle&) = default;
};

// An application worth walking: a regular application other than this one,
// with an identity.
struct SweepTarget {
    std::uint32_t pid = 0;
    QString bundleID; // the application's identity (desktop file ID)
    std::optional<QString> appPath;
    // Without a desktop entry: the arguments it was started with, if any.
    std::optional<QStringList> arguments = std::nullopt;
    friend bool operator==(const SweepTarget&, const SweepTarget&) = default;
};

// One titled window of a target, as walked.
struct LiveWindow {
    CapturedWindow window;
    bool isMinimized = false;
    std::optional<QUrl> documentURL; // X has no standard property: always absent
    WindowHandle box;
};

// The one place that reads and moves other applications' windows, in X root
// pixels, y down. Callers check the window-access trust first.
class WindowAccess {
public:
    // The identity of a client window's application; empty when unknown.
    using IdentityOf = std::function<QString(const ClientWindow&)>;
    // The desktop entry file of an application identity; empty when none.
    using DesktopEntryPath = std::function<QString(const QString& bundleID)>;

    WindowAccess(WindowSystem& windows, IdentityOf identityOf, DesktopEntryPath entryPath,
                 std::uint32_t ownPid);

    // Regular applications' (pid, identity) pairs in first-seen client-list
    // order; only those in `only` when a set is given.
    QList<SweepTarget> sweepTargets(const std::optional<QSet<QString>>& only = std::nullopt) const;

    // The titled windows of the targets, target by target in client-list
    // order; windows whose frame cannot be read are left out.
    QList<LiveWindow> liveWindows(const QList<SweepTarget>& targets) const;

    std::optional<QRect> readFrame(WindowHandle window) const;

    // Unminimises first unless the window shall end minimised, moves and
    // resizes it, and minimises last when asked. True when the move went to
    // a live window.
    bool applyFrame(const QRect& frame, WindowHandle window, bool minimized) const;

    WindowSystem& windowSystem() const { return windows_; }

private:
    WindowSystem& windows_;
    IdentityOf identityOf_;
    DesktopEntryPath entryPath_;
    std::uint32_t ownPid_;
};

} // namespace vellaro
