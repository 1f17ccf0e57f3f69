#pragma once

#include <cstdint>

namespace vellaro {

// What the dial view must do after a transition. `execute` and `dismiss`
// always come with the state already closed.
class MenuEffect {
public:
    enum class Kind { execute, none, dismiss };

    static MenuEffect execute(std::int64_t section, std::int64_t item) {
        return {Kind::execute, section, item};
    }
    static MenuEffect none() { return {Kind::none, 0, 0}; }
    static MenuEffect dismiss() { return {Kind::dismiss, 0, 0}; }

    Kind kind() const { return kind_; }
    // The section and item to run for `execute`; 0 for the other kinds.
    std::int64_t section() const { return section_; }
    std::int64_t item() const { return item_; }

    friend bool operator==(const MenuEffect&, const MenuEffect&) = default;

private:
    MenuEffect(Kind kind, std::int64_t section, std::int64_t item)
        : kind_(kind), section_(section), item_(item) {}

    Kind kind_;
    std::int64_t section_;
    std::int64_t item_;
};

} // namespace vellaro
