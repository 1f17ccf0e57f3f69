#include "workspaces/WindowsProvider.h"

#include "platform/windows/Logging.h"
#include "platform/windows/WindowAccessTrust.h"
#include "workspaces/WindowTargets.h"

namespace vellaro {

namespace {

MenuItem item(const QString& label, const char* symbol, std::function<void()> action) {
    MenuItem made(label, MenuItem::Icon::symbol(QLatin1String(symbol)));
    made.action = std::move(action);
    return made;
}

} // namespace

WindowsProvider::WindowsProvider(const WindowAccess& access, WindowAccessTrust& trust,
                                 Scheduler& scheduler, std::function<void()> showExplainer)
    : access_(access), trust_(trust), scheduler_(scheduler),
      showExplainer_(std::move(showExplainer)), self_(std::make_shared<WindowsProvider*>(this)) {
    setWasTrusted(trust_.isTrusted());
    trustWatch_ =
        QObject::connect(&trust_, &WindowAccessTrust::changed, [this] { accessMayHaveChanged(); });
}

WindowsProvider::~WindowsProvider() {
    QObject::disconnect(trustWatch_);
    if (recheckTask_ != 0)
        scheduler_.cancel(recheckTask_);
}

template <class Method, class... Args>
std::function<void()> WindowsProvider::weakly(Method method, Args... args) {
    std::weak_ptr<WindowsProvider*> weak = self_;
    return [weak, method, args...] {
        if (auto self = weak.lock())
            ((*self)->*method)(args...);
    };
}

std::vector<MenuItem> WindowsProvider::items() {
    if (!trust_.isTrusted()) {
        MenuItem enable =
            item(QStringLiteral("Enable Window Access"), "lock.shield", [explain = showExplainer_] {
                if (explain)
                    explain();
            });
        enable.sublabel = QStringLiteral("Needs a window manager");
        return {enable};
    }
    std::vector<MenuItem> items;
    for (const WindowLayoutEntry& entry : windowLayouts)
        items.push_back(item(QString::fromUtf8(entry.label), entry.symbol,
                             weakly(&WindowsProvider::apply, entry.layout)));
    items.push_back(item(QStringLiteral("Last Size"), "arrow.uturn.backward",
                         weakly(&WindowsProvider::restoreLastSize)));
    items.push_back(item(QStringLiteral("Next Display"), "display.2",
                         weakly(&WindowsProvider::moveToNextDisplay)));
    return items;
}

std::optional<WindowHandle> WindowsProvider::focusedWindow() const {
    WindowSystem& windows = access_.windowSystem();
    const WindowId active = windows.activeWindow();
    if (active == 0)
        return std::nullopt;
    for (const ClientWindow& window : windows.clientWindows())
        if (window.id == active && window.regular)
            return WindowHandle{active};
    return std::nullopt;
}

std::optional<qsizetype> WindowsProvider::mainMonitorIndex(const QList<Monitor>& monitors) const {
    WindowSystem& windows = access_.windowSystem();
    if (const WindowId active = windows.activeWindow(); active != 0)
        if (const auto frame = windows.frame(active))
            if (const auto index = monitorIndexFor(*frame, monitors, std::nullopt))
                return index;
    if (const auto pointer = windows.pointerPosition())
        for (qsizetype i = 0; i < monitors.size(); ++i)
            if (monitors[i].frame.contains(*pointer))
                return i;
    return std::nullopt;
}

std::optional<Monitor> WindowsProvider::screen(const QRect& frame) const {
    const QList<Monitor> monitors = access_.windowSystem().monitors();
    const auto index = monitorIndexFor(frame, monitors, mainMonitorIndex(monitors));
    if (!index || *index < 0 || *index >= monitors.size())
        return std::nullopt;
    return monitors[*index];
}

void WindowsProvider::apply(WindowLayout layout) {
    const auto window = focusedWindow();
    // A frame that cannot be read is no window to snap: never a 0 x 0 target.
    const auto frame = window ? access_.readFrame(*window) : std::nullopt;
    if (!frame) {
        qCInfo(lcWindows).noquote()
            << QStringLiteral("Layout %1: no focused window").arg(windowLayoutLabel(layout));
        return;
    }
    const auto monitor = screen(*frame);
    if (!monitor)
        return;
    moveTo(*window, *frame, layoutTarget(layout, monitor->visibleFrame, *frame));
}

void WindowsProvider::restoreLastSize() {
    if (!lastApplied_)
        return;
    const Applied remembered = *lastApplied_;
    const auto current = access_.readFrame(remembered.window);
    if (!current)
        return;
    moveTo(remembered.window, *current, remembered.frame);
}

void WindowsProvider::moveToNextDisplay() {
    const QList<Monitor> monitors = access_.windowSystem().monitors();
    if (monitors.size() < 2)
        return;
    const auto window = focusedWindow();
    const auto frame = window ? access_.readFrame(*window) : std::nullopt;
    if (!frame)
        return;
    if (const auto target = nextDisplayTarget(*frame, monitors, mainMonitorIndex(monitors)))
        moveTo(*window, *frame, *target);
}

void WindowsProvider::moveTo(WindowHandle window, const QRect& from, const QRect& target) {
    lastApplied_ = Applied{window, from};
    // A refused write is not worth more than the window staying put.
    access_.applyFrame(target, window, false);
}

void WindowsProvider::accessMayHaveChanged() {
    if (recheckTask_ != 0)
        scheduler_.cancel(recheckTask_);
    recheckTask_ = scheduler_.schedule(recheckDelay, [this] {
        recheckTask_ = 0;
        recheckTrust();
    });
}

void WindowsProvider::recheckTrust() {
    const bool trusted = trust_.isTrusted();
    if (trusted == wasTrusted())
        return;
    setWasTrusted(trusted);
    qCInfo(lcWindows, "Window access changed: %d", int(trusted));
    changed();
}

} // namespace vellaro
