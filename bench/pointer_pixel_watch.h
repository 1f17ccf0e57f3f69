#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>
#include <xcb/xcb.h>

// A second X client that watches what a person would look at: a small
// square of the screen centred on the pointer. It takes the square's picture
// before a press and polls it with GetImage from its own thread until a
// pixel differs.
class PointerPixelWatch {
public:
    using Clock = std::chrono::steady_clock;

    PointerPixelWatch();
    ~PointerPixelWatch();
    bool connected() const { return c_ != nullptr; }

    // Takes the picture of the square centred on (x, y) and starts polling.
    bool start(int x, int y, std::chrono::milliseconds timeout);
    // Waits for the poll to end: when the square first differed, or nothing.
    std::optional<Clock::time_point> finish();

    static constexpr int side = 48;

private:
    std::vector<std::uint8_t> square(int x, int y);
    void poll(int x, int y, Clock::time_point deadline);

    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    std::vector<std::uint8_t> before_;
    std::thread thread_;
    std::optional<Clock::time_point> changed_;
};
