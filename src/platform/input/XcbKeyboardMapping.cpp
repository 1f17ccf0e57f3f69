#include "platform/input/XcbKeyboardMapping.h"

#include "platform/input/MacKeyCodes.h"

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace vellaro {

namespace {
constexpr int kModifierCount = 8;
}

XcbKeyboardMapping::XcbKeyboardMapping(xcb_connection_t* connection)
    : symbols_(xcb_key_symbols_alloc(connection)), modifierKeycodes_(kModifierCount) {
    const std::unique_ptr<xcb_get_modifier_mapping_reply_t, decltype(&std::free)> reply(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr),
        &std::free);
    if (!reply)
        return;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    const std::vector<std::uint8_t> numLockCodes = keycodesFor(XK_Num_Lock);
    for (int modifier = 0; modifier < kModifierCount; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t code = codes[modifier * perModifier + i];
            if (code == 0)
                continue;
            modifierKeycodes_[modifier].push_back(code);
            allModifierKeycodes_.push_back(code);
            if (std::ranges::find(numLockCodes, code) != numLockCodes.end())
                numLockMask_ = static_cast<std::uint16_t>(1u << modifier);
        }
    }
    // Iterator forms: clang's fuzz build cannot take libstdc++ 12's ranges::unique.
    std::sort(allModifierKeycodes_.begin(), allModifierKeycodes_.end());
    allModifierKeycodes_.erase(
        std::unique(allModifierKeycodes_.begin(), allModifierKeycodes_.end()),
        allModifierKeycodes_.end());
}

XcbKeyboardMapping::~XcbKeyboardMapping() {
    if (symbols_)
        xcb_key_symbols_free(symbols_);
}

std::vector<std::uint8_t> XcbKeyboardMapping::keycodesFor(std::uint32_t keysym) const {
    std::vector<std::uint8_t> result;
    if (!symbols_)
        return result;
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols_, keysym);
    if (!codes)
        return result;
    for (const xcb_keycode_t* code = codes; *code != XCB_NO_SYMBOL; ++code)
        result.push_back(*code);
    std::free(codes);
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
}

std::vector<std::uint8_t> XcbKeyboardMapping::modifierKeycodes(std::uint16_t modifierBit) const {
    for (int modifier = 0; modifier < kModifierCount; ++modifier) {
        if (modifierBit == (1u << modifier))
            return modifierKeycodes_[modifier];
    }
    return {};
}

std::vector<std::uint16_t> XcbKeyboardMapping::lockVariants() const {
    std::vector<std::uint16_t> variants{0, MacKeyCodes::xLockMask};
    if (numLockMask_ != 0 && numLockMask_ != MacKeyCodes::xLockMask) {
        variants.push_back(numLockMask_);
        variants.push_back(numLockMask_ | MacKeyCodes::xLockMask);
    }
    return variants;
}

} // namespace vellaro
