#include "harness/SpikeRunner.h"

#include "core/WindowMatcher.h"
#include "harness/SpikeCaptureFile.h"
#include "harness/SpikeReport.h"
#include "harness/SpikeStatus.h"
#include "harness/SpikeText.h"
#include "platform/time/QtScheduler.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "platform/windows/X11WindowSystem.h"
#include "workspaces/DesktopWindowAccess.h"
#include "workspaces/WindowAccess.h"

#include <QDateTime>

#include <cstdio>
#include <memory>

namespace vellaro {

namespace {

void print(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

// The harness's own X connection with the program's window access on it.
struct OwnWindowAccess {
    explicit OwnWindowAccess(X11Connection connection)
        : windows(std::move(connection)), access(desktopWindowAccessOn(windows)) {}

    X11WindowSystem windows;
    WindowAccess access;
};

// Window access needs an X display and an EWMH window manager on it; none,
// with the line saying which is missing printed, otherwise.
std::unique_ptr<OwnWindowAccess> openWindowAccess() {
    X11Connection connection = X11Connection::open();
    const char* missing = nullptr;
    if (!connection.isValid()) {
        missing = "no X display";
    } else {
        QtScheduler unused; // the trust watches nothing on a connection of its own
        X11WindowAccessTrust trust(unused, connection.get());
        if (!trust.isTrusted())
            missing = "no EWMH window manager";
    }
    if (missing) {
        print(QStringLiteral("spike: window access is not available for this binary (%1)\n")
                  .arg(QLatin1String(missing)));
        return nullptr;
    }
    return std::make_unique<OwnWindowAccess>(std::move(connection));
}

} // namespace

std::vector<CapturedWindow> SpikeRunner::liveWindows(const WindowAccess& access) {
    std::vector<CapturedWindow> windows;
    for (const LiveWindow& live : access.liveWindows(access.sweepTargets()))
        windows.push_back(live.window);
    return windows;
}

int SpikeRunner::capture(const QString& path) {
    const std::unique_ptr<OwnWindowAccess> own = openWindowAccess();
    if (!own)
        return SpikeStatus::noWindowAccess;
    Capture capture;
    capture.windows = liveWindows(own->access);
    QDateTime now = QDateTime::currentDateTimeUtc();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    capture.capturedAt = now;
    QString error;
    if (!SpikeCaptureFile::write(path, capture, &error)) {
        print(QStringLiteral("spike: failed to write capture: %1\n")
                  .arg(escapedControlCharacters(error)));
        return SpikeStatus::fileError;
    }
    print(SpikeReport::captureSummary(capture, path));
    return SpikeStatus::done;
}

int SpikeRunner::match(const QString& capturePath) {
    const std::unique_ptr<OwnWindowAccess> own = openWindowAccess();
    if (!own)
        return SpikeStatus::noWindowAccess;
    QString error;
    const std::optional<Capture> capture = SpikeCaptureFile::read(capturePath, &error);
    if (!capture) {
        print(QStringLiteral("spike: failed to read capture: %1\n")
                  .arg(escapedControlCharacters(error)));
        return SpikeStatus::fileError;
    }
    const MatchReport report =
        WindowMatcher::match(capture->windows, liveWindows(own->access), false);
    print(SpikeReport::matchReport(*capture, report));
    return SpikeStatus::done;
}

} // namespace vellaro
