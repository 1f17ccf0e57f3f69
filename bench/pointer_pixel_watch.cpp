#include "pointer_pixel_watch.h"

#include "trigger_probe.h"

#include <cstdlib>
#include <cstring>

using namespace std::chrono_literals;

PointerPixelWatch::PointerPixelWatch() {
    xcb_screen_t* screen = nullptr;
    c_ = connectToDisplay(screen);
    if (c_)
        root_ = screen->root;
}

PointerPixelWatch::~PointerPixelWatch() {
    if (thread_.joinable())
        thread_.join();
    if (c_)
        xcb_disconnect(c_);
}

std::vector<std::uint8_t> PointerPixelWatch::square(int x, int y) {
    auto* reply = xcb_get_image_reply(c_,
                                      xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_,
                                                    std::int16_t(x - side / 2),
                                                    std::int16_t(y - side / 2), side, side, ~0u),
                                      nullptr);
    if (!reply)
        return {};
    const auto* data = xcb_get_image_data(reply);
    std::vector<std::uint8_t> pixels(data, data + xcb_get_image_data_length(reply));
    std::free(reply);
    return pixels;
}

bool PointerPixelWatch::start(int x, int y, std::chrono::milliseconds timeout) {
    if (!c_ || thread_.joinable())
        return false;
    before_ = square(x, y);
    changed_.reset();
    if (before_.empty())
        return false;
    const auto deadline = Clock::now() + timeout;
    thread_ = std::thread([this, x, y, deadline] { poll(x, y, deadline); });
    return true;
}

void PointerPixelWatch::poll(int x, int y, Clock::time_point deadline) {
    // Each GetImage is a round trip to the server Vellaro draws through, so
    // the poll leaves it a short breath between requests.
    while (Clock::now() < deadline) {
        const std::vector<std::uint8_t> now = square(x, y);
        if (!now.empty() && now != before_) {
            changed_ = Clock::now();
            return;
        }
        std::this_thread::sleep_for(200us);
    }
}

std::optional<PointerPixelWatch::Clock::time_point> PointerPixelWatch::finish() {
    if (thread_.joinable())
        thread_.join();
    return changed_;
}
