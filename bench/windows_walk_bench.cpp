// Walking the window manager's clients: 50 managed windows of one outside
// client, read with their titles, pids and types, and their frames, each in
// one round trip per step. Run inside scripts/test-session.
#include "platform/windows/X11WindowSystem.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <xcb/xcb.h>

namespace {

using vellaro::X11Connection;
using vellaro::X11WindowSystem;

constexpr int windowCount = 50;

// An outside program with many titled, managed windows.
class ManyWindows {
public:
    ManyWindows() : connection_(xcb_connect(nullptr, nullptr)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        for (int i = 0; i < windowCount; ++i) {
            const xcb_window_t window = xcb_generate_id(connection_);
            xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, screen->root,
                              static_cast<std::int16_t>(20 * (i % 40)),
                              static_cast<std::int16_t>(15 * (i / 2)), 200, 120, 0,
                              XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
            const std::string title = "Walk window " + std::to_string(i);
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                                XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(title.size()),
                                title.data());
            xcb_map_window(connection_, window);
        }
        xcb_flush(connection_);
    }
    ~ManyWindows() { xcb_disconnect(connection_); }
    ManyWindows(const ManyWindows&) = delete;
    ManyWindows& operator=(const ManyWindows&) = delete;

private:
    xcb_connection_t* connection_;
};

// A window system on a connection of its own once the window manager took
// the windows on (it does so asynchronously); none without a display.
std::unique_ptr<X11WindowSystem> systemWithManagedWindows(benchmark::State& state) {
    auto system = std::make_unique<X11WindowSystem>(X11Connection::open());
    if (!system->isConnected()) {
        state.SkipWithError("no X display");
        return nullptr;
    }
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (system->clientWindows().size() >= windowCount)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return system;
}

void WalkClientWindows(benchmark::State& state) {
    const ManyWindows windows;
    const auto system = systemWithManagedWindows(state);
    if (!system)
        return;
    std::size_t walked = 0;
    for (auto _ : state) {
        const auto clients = system->clientWindows();
        walked = static_cast<std::size_t>(clients.size());
        benchmark::DoNotOptimize(clients);
    }
    state.counters["windows"] = double(walked);
}

void ReadAllFrames(benchmark::State& state) {
    const ManyWindows windows;
    const auto system = systemWithManagedWindows(state);
    if (!system)
        return;
    QList<vellaro::WindowId> ids;
    for (const auto& client : system->clientWindows())
        ids.append(client.id);
    for (auto _ : state)
        benchmark::DoNotOptimize(system->frames(ids));
    state.counters["windows"] = double(ids.size());
}

} // namespace

BENCHMARK(WalkClientWindows)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadAllFrames)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
