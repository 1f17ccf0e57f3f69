#include "trigger_probe.h"

#include "model/SettingsStore.h"
#include "platform/input/MacKeyCodes.h"
#include "platform/session/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <poll.h>
#include <xcb/damage.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

template <class T>
struct Reply {
    T* p;
    explicit Reply(T* reply) : p(reply) {}
    ~Reply() { std::free(p); }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};
} // namespace

std::vector<xcb_keysym_t> configuredHotKey() {
    const vellaro::VellaroSettings& settings = vellaro::SettingsStore::shared().settings();
    using vellaro::MacKeyCodes;
    const std::pair<std::uint32_t, xcb_keysym_t> modifiers[] = {
        {MacKeyCodes::controlKey, 0xffe3}, // Control_L
        {MacKeyCodes::optionKey, 0xffe9},  // Alt_L
        {MacKeyCodes::shiftKey, 0xffe1},   // Shift_L
        {MacKeyCodes::cmdKey, 0xffeb},     // Super_L
    };
    std::vector<xcb_keysym_t> keys;
    for (const auto& [mask, keysym] : modifiers) {
        if (settings.hotKeyModifiers & mask)
            keys.push_back(keysym);
    }
    keys.push_back(MacKeyCodes::keysymForKeyCode(settings.hotKeyCode).value_or(0x20));
    return keys;
}

bool configureSessionHotKey() {
    // A fresh home would open the setup assistant, which holds the dial back.
    const QString config = vellaro::configFolder();
    if (config.isEmpty() || !QDir().mkpath(config))
        return false;
    QSettings(QDir(config).filePath(QStringLiteral("defaults.ini")), QSettings::IniFormat)
        .setValue(QStringLiteral("vellaroOnboardingCompleted"), true);
    const QString folder = vellaro::dataFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    QFile file(QDir(folder).filePath(QStringLiteral("settings.json")));
    if (file.exists())
        return true;
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(R"({"version": 2, "hotKeyCode": 49, "hotKeyModifiers": 6144, )"
               R"("hotKeyDisplay": "\u2303\u2325Space"})");
    return true;
}

xcb_connection_t* connectToDisplay(xcb_screen_t*& screen) {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    auto it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    screen = it.data;
    return c;
}

TriggerProbe::TriggerProbe() {
    c_ = connectToDisplay(screen_);
    if (!c_)
        return;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c_, screen_->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c_, &xcb_damage_id);
    if (damage && damage->present) {
        damageEvent_ = damage->first_event;
        Reply version(
            xcb_damage_query_version_reply(c_, xcb_damage_query_version(c_, 1, 1), nullptr));
    }
    xcb_flush(c_);
}

TriggerProbe::~TriggerProbe() {
    if (c_)
        xcb_disconnect(c_);
}

std::optional<xcb_window_t> TriggerProbe::findPanel(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    const QByteArray title("Vellaro Dial");
    do {
        Reply tree(xcb_query_tree_reply(c_, xcb_query_tree(c_, screen_->root), nullptr));
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree.p);
            for (int i = 0; i < xcb_query_tree_children_length(tree.p); ++i) {
                Reply name(xcb_get_property_reply(
                    c_, xcb_get_property(c_, 0, children[i], XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 64),
                    nullptr));
                if (!name)
                    continue;
                const QByteArray value(static_cast<const char*>(xcb_get_property_value(name.p)),
                                       xcb_get_property_value_length(name.p));
                if (value == title)
                    return children[i];
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (Clock::now() < deadline);
    return std::nullopt;
}

bool TriggerProbe::watchPanel(xcb_window_t panel) {
    panel_ = panel;
    if (damageEvent_ == 0)
        return false;
    damage_ = xcb_generate_id(c_);
    xcb_damage_create(c_, damage_, panel, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    xcb_flush(c_);
    return true;
}

xcb_keycode_t TriggerProbe::keycodeFor(xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Reply map(xcb_get_keyboard_mapping_reply(
        c_, xcb_get_keyboard_mapping(c_, setup->min_keycode, count), nullptr));
    if (!map)
        return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.p);
    for (int k = 0; k < count; ++k) {
        for (int i = 0; i < map->keysyms_per_keycode; ++i) {
            if (syms[k * map->keysyms_per_keycode + i] == keysym)
                return static_cast<xcb_keycode_t>(setup->min_keycode + k);
        }
    }
    return 0;
}

void TriggerProbe::pressKeys(const std::vector<xcb_keysym_t>& keysyms) {
    for (xcb_keysym_t sym : keysyms)
        xcb_test_fake_input(c_, XCB_KEY_PRESS, keycodeFor(sym), XCB_CURRENT_TIME, XCB_NONE, 0, 0,
                            0);
    xcb_flush(c_);
}

void TriggerProbe::releaseKeys(const std::vector<xcb_keysym_t>& keysyms) {
    for (auto it = keysyms.rbegin(); it != keysyms.rend(); ++it)
        xcb_test_fake_input(c_, XCB_KEY_RELEASE, keycodeFor(*it), XCB_CURRENT_TIME, XCB_NONE, 0, 0,
                            0);
    xcb_flush(c_);
}

void TriggerProbe::tap(xcb_keysym_t keysym) {
    pressKeys({keysym});
    releaseKeys({keysym});
}

void TriggerProbe::movePointer(int x, int y) {
    xcb_test_fake_input(c_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen_->root, x, y, 0);
    xcb_flush(c_);
}

std::optional<TriggerProbe::Clock::time_point>
TriggerProbe::waitFor(Wanted wanted, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
            const auto now = Clock::now();
            const uint8_t type = event->response_type & 0x7f;
            bool hit = false;
            if (wanted == Wanted::map && type == XCB_MAP_NOTIFY)
                hit = reinterpret_cast<xcb_map_notify_event_t*>(event)->window == panel_;
            else if (wanted == Wanted::unmap && type == XCB_UNMAP_NOTIFY)
                hit = reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window == panel_;
            else if (damageEvent_ && type == damageEvent_ + XCB_DAMAGE_NOTIFY) {
                // Acknowledge so the next paint reports again.
                xcb_damage_subtract(c_, damage_, XCB_NONE, XCB_NONE);
                xcb_flush(c_);
                hit = wanted == Wanted::damage;
            }
            std::free(event);
            if (hit)
                return now;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        pollfd fd{xcb_get_file_descriptor(c_), POLLIN, 0};
        ::poll(&fd, 1, static_cast<int>(left.count()));
    }
}

std::optional<TriggerProbe::Clock::time_point>
TriggerProbe::waitMapped(std::chrono::milliseconds t) {
    return waitFor(Wanted::map, t);
}
std::optional<TriggerProbe::Clock::time_point>
TriggerProbe::waitPainted(std::chrono::milliseconds t) {
    return waitFor(Wanted::damage, t);
}
std::optional<TriggerProbe::Clock::time_point>
TriggerProbe::waitUnmapped(std::chrono::milliseconds t) {
    return waitFor(Wanted::unmap, t);
}

bool TriggerProbe::panelViewable() {
    Reply attrs(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, panel_), nullptr));
    return attrs && attrs->map_state == XCB_MAP_STATE_VIEWABLE;
}

QImage TriggerProbe::grabScreen() {
    const int w = screen_->width_in_pixels;
    const int h = screen_->height_in_pixels;
    Reply image(xcb_get_image_reply(
        c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, screen_->root, 0, 0, w, h, ~0u), nullptr));
    if (!image || image->depth != 24 || xcb_get_image_data_length(image.p) < w * h * 4)
        return {};
    QImage result(xcb_get_image_data(image.p), w, h, w * 4, QImage::Format_RGB32);
    return result.copy();
}
