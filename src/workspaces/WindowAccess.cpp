#include "workspaces/WindowAccess.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vellaro {

namespace {

// The application of each walkable client window, in client-list order.
struct OwnedWindow {
    ClientWindow window;
    QString identity;
};

QList<OwnedWindow> walkableWindows(WindowSystem& windows,
                                   const WindowAccess::IdentityOf& identityOf,
                                   std::uint32_t ownPid) {
    QList<OwnedWindow> result;
    for (const ClientWindow& window : windows.clientWindows()) {
        if (!window.regular || window.pid == ownPid)
            continue;
        QString identity = identityOf(window);
        if (identity.isEmpty())
            continue;
        result.append({window, std::move(identity)});
    }
    return result;
}

std::optional<QString> executableOf(std::uint32_t pid) {
    const QString target = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    if (target.isEmpty())
        return std::nullopt;
    return target;
}

// The arguments after the program on its command line; none when it had
// none or the process cannot be read.
std::optional<QStringList> argumentsOf(std::uint32_t pid) {
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The kernel bounds a command line to a few hundred KiB at most.
    QByteArray line = file.read(1 << 20);
    if (line.endsWith('\0'))
        line.chop(1);
    const QList<QByteArray> parts = line.split('\0');
    if (parts.size() < 2)
        return std::nullopt;
    QStringList arguments;
    for (qsizetype i = 1; i < parts.size(); ++i)
        arguments.append(QFile::decodeName(parts[i]));
    return arguments;
}

} // namespace

WindowAccess::WindowAccess(WindowSystem& windows, IdentityOf identityOf, DesktopEntryPath entryPath,
                           std::uint32_t ownPid)
    : windows_(windows), identityOf_(std::move(identityOf)), entryPath_(std::move(entryPath)),
      ownPid_(ownPid) {}

QList<SweepTarget> WindowAccess::sweepTargets(const std::optional<QSet<QString>>& only) const {
    QList<SweepTarget> targets;
    for (const OwnedWindow& owned : walkableWindows(windows_, identityOf_, ownPid_)) {
        if (only && !only->contains(owned.identity))
            continue;
        const bool seen = std::any_of(targets.cbegin(), targets.cend(), [&](const SweepTarget& t) {
            return t.pid == owned.window.pid && t.bundleID == owned.identity;
        });
        if (seen)
            continue;
        SweepTarget target{owned.window.pid, owned.identity, std::nullopt};
        const QString entry = entryPath_ ? entryPath_(owned.identity) : QString();
        if (entry.isEmpty()) {
            target.appPath = executableOf(owned.window.pid);
            if (target.appPath)
                target.arguments = argumentsOf(owned.window.pid);
        } else {
            target.appPath = entry;
        }
        targets.append(std::move(target));
    }
    return targets;
}

QList<LiveWindow> WindowAccess::liveWindows(const QList<SweepTarget>& targets) const {
    const QList<OwnedWindow> owned = walkableWindows(windows_, identityOf_, ownPid_);
    QList<LiveWindow> result;
    for (const SweepTarget& target : targets) {
        QList<const ClientWindow*> titled;
        for (const OwnedWindow& o : owned)
            if (o.window.pid == target.pid && o.identity == target.bundleID &&
                !o.window.title.isEmpty())
                titled.append(&o.window);
        QList<WindowId> ids;
        for (const ClientWindow* window : titled)
            ids.append(window->id);
        const QList<std::optional<QRect>> frames = windows_.frames(ids);
        for (qsizetype i = 0; i < titled.size() && i < frames.size(); ++i) {
            // A window whose frame cannot be read is as good as gone.
            if (!frames[i])
                continue;
            const ClientWindow& window = *titled[i];
            result.append(LiveWindow{CapturedWindow{target.bundleID, window.title, *frames[i]},
                                     window.minimized, std::nullopt, WindowHandle{window.id}});
        }
    }
    return result;
}

std::optional<QRect> WindowAccess::readFrame(WindowHandle window) const {
    return windows_.frame(window.id);
}

bool WindowAccess::applyFrame(const QRect& frame, WindowHandle window, bool minimized) const {
    if (!minimized)
        windows_.unminimize(window.id);
    // Never ask for a window without width or height.
    const QRect target(frame.topLeft(),
                       QSize(std::max(frame.width(), 1), std::max(frame.height(), 1)));
    const bool accepted = windows_.setFrame(window.id, target);
    if (minimized)
        windows_.minimize(window.id);
    return accepted;
}

} // namespace vellaro
