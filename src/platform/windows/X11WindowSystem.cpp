#include "platform/windows/X11WindowSystem.h"

#include "platform/windows/Logging.h"
#include "platform/windows/X11Atoms.h"
#include "platform/windows/X11Monitors.h"
#include "platform/windows/X11Reply.h"
#include "platform/windows/X11WindowCommands.h"
#include "platform/windows/X11WindowReader.h"

#include <QDeadlineTimer>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <xcb/randr.h>
#include <xcb/res.h>
#include <xcb/xcb.h>

namespace vellaro {

namespace {

constexpr std::uint32_t iconicState = 3;
// How long a move waits for the window manager to leave a maximised state.
constexpr std::chrono::milliseconds stateChangeBound{500};

bool contains(const std::vector<std::uint32_t>& atoms, std::uint32_t atom) {
    return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

} // namespace

X11WindowSystem::X11WindowSystem(X11Connection connection) : connection_(std::move(connection)) {
    if (!connection_.isValid())
        return;
    xcb_connection_t* c = connection_.get();
    // Both extensions are looked up at first use; ask now so the answers travel
    // with the atoms' round trip.
    xcb_prefetch_extension_data(c, &xcb_res_id);
    xcb_prefetch_extension_data(c, &xcb_randr_id);
    auto atoms = std::make_unique<X11Atoms>(c);
    if (!atoms->isValid()) {
        qCWarning(lcWindows) << "Could not intern the window manager's atoms";
        return;
    }
    atoms_ = std::move(atoms);
    reader_ = std::make_unique<X11WindowReader>(c, connection_.root(), *atoms_);
    commands_ = std::make_unique<X11WindowCommands>(c, connection_.root(), *atoms_);
    monitors_ = std::make_unique<X11Monitors>(c, connection_.root(), *atoms_);
}

X11WindowSystem::~X11WindowSystem() = default;

X11WindowSystem& X11WindowSystem::shared() {
    static X11WindowSystem system(X11Connection::qt());
    return system;
}

bool X11WindowSystem::isConnected() const {
    return atoms_ != nullptr && connection_.isValid();
}

QList<ClientWindow> X11WindowSystem::clientWindows() {
    if (!isConnected())
        return {};
    const std::vector<std::uint32_t> listed = reader_->clientList();
    const std::vector<X11WindowReader::ClientProperties> properties =
        reader_->clientProperties(listed);
    const X11Atoms& atoms = *atoms_;
    QList<ClientWindow> windows;
    windows.reserve(static_cast<qsizetype>(listed.size()));
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const X11WindowReader::ClientProperties& client = properties[i];
        const bool ordinaryType = client.types.empty() ||
                                  contains(client.types, atoms[X11Atoms::NetWmWindowTypeNormal]) ||
                                  contains(client.types, atoms[X11Atoms::NetWmWindowTypeDialog]);
        ClientWindow window;
        window.id = listed[i];
        window.title = client.title;
        window.pid = client.owner.pid;
        window.regular =
            ordinaryType && !contains(client.states, atoms[X11Atoms::NetWmStateSkipTaskbar]);
        window.minimized = client.wmState == iconicState;
        window.gtkApplicationId = client.owner.gtkApplicationId;
        window.kdeDesktopFile = client.owner.kdeDesktopFile;
        window.wmInstance = client.owner.wmInstance;
        window.wmClass = client.owner.wmClass;
        windows.append(std::move(window));
    }
    return windows;
}

std::optional<QRect> X11WindowSystem::frame(WindowId window) {
    return frames({window}).front();
}

QList<std::optional<QRect>> X11WindowSystem::frames(const QList<WindowId>& windows) {
    QList<std::optional<QRect>> result;
    if (!isConnected()) {
        result.resize(windows.size());
        return result;
    }
    for (const auto& placement :
         reader_->placements(std::vector<std::uint32_t>(windows.begin(), windows.end()))) {
        result.append(placement ? std::optional(placement->extents.around(placement->client))
                                : std::nullopt);
    }
    return result;
}

bool X11WindowSystem::setFrame(WindowId window, const QRect& frame) {
    if (!isConnected())
        return false;
    auto placement = reader_->placements({window}).front();
    if (!placement)
        return false;
    // A window manager keeps a maximised or full-screen window where it is.
    const X11Atoms& atoms = *atoms_;
    const std::uint32_t vertical = atoms[X11Atoms::NetWmStateMaximizedVert];
    const std::uint32_t horizontal = atoms[X11Atoms::NetWmStateMaximizedHorz];
    const std::uint32_t fullscreen = atoms[X11Atoms::NetWmStateFullscreen];
    const auto held = [&](const std::vector<std::uint32_t>& states) {
        return contains(states, vertical) || contains(states, horizontal) ||
               contains(states, fullscreen);
    };
    if (held(placement->states)) {
        commands_->removeStates(window, vertical, horizontal);
        commands_->removeStates(window, fullscreen, 0);
        // The frame of a maximised window often lacks borders: the client size
        // needs the extents the window has once the window manager restored it,
        // which shows in a new outer frame. The manager updates state, size and
        // extents one after another, so one reading can mix old and new: the
        // restored placement counts once two readings in a row agree.
        const QRect maximised = placement->extents.around(placement->client);
        const auto restored = [&](const X11WindowReader::Placement& reading) {
            return !held(reading.states) && reading.extents.around(reading.client) != maximised;
        };
        const auto same = [](const X11WindowReader::Placement& a,
                             const X11WindowReader::Placement& b) {
            return a.client == b.client && a.extents == b.extents && a.states == b.states;
        };
        const QDeadlineTimer deadline(stateChangeBound);
        std::optional<X11WindowReader::Placement> previous;
        while (placement && !deadline.hasExpired() &&
               !(restored(*placement) && previous && same(*previous, *placement))) {
            previous = placement;
            QThread::msleep(restored(*placement) ? 10 : 2);
            placement = reader_->placements({window}).front();
        }
        if (!placement)
            return false;
        if (held(placement->states))
            qCInfo(lcWindows) << "The window manager kept a window maximised; moving it anyway";
    }
    commands_->moveResize(window, frame.topLeft(), placement->extents.clientSizeIn(frame.size()));
    return true;
}

bool X11WindowSystem::isMinimized(WindowId window) {
    return isConnected() && reader_->wmState(window) == iconicState;
}

bool X11WindowSystem::minimize(WindowId window) {
    if (!exists(window))
        return false;
    commands_->iconify(window);
    return true;
}

bool X11WindowSystem::unminimize(WindowId window) {
    if (!exists(window))
        return false;
    commands_->map(window);
    return true;
}

WindowId X11WindowSystem::activeWindow() {
    return isConnected() ? reader_->listedActiveWindow() : 0;
}

bool X11WindowSystem::activate(WindowId window) {
    if (!exists(window))
        return false;
    commands_->activate(window);
    return true;
}

QList<Monitor> X11WindowSystem::monitors() {
    return isConnected() ? monitors_->read() : QList<Monitor>();
}

std::optional<QPoint> X11WindowSystem::pointerPosition() {
    if (!isConnected())
        return std::nullopt;
    const auto pointer = x11Reply(xcb_query_pointer_reply, connection_.get(),
                                  xcb_query_pointer(connection_.get(), connection_.root()));
    if (!pointer)
        return std::nullopt;
    return QPoint(pointer->root_x, pointer->root_y);
}

bool X11WindowSystem::exists(WindowId window) const {
    if (!isConnected() || window == 0)
        return false;
    return x11Reply(xcb_get_window_attributes_reply, connection_.get(),
                    xcb_get_window_attributes(connection_.get(), window)) != nullptr;
}

} // namespace vellaro
