#pragma once

#include <cstdint>
#include <optional>

namespace vellaro {

// Where the dial stands: the ring with an optional hovered section, the open
// fan of a section with an optional hovered item, or not shown at all.
class MenuState {
public:
    enum class Kind { root, submenu, closed };

    static MenuState root(std::optional<std::int64_t> hover = std::nullopt) {
        return {Kind::root, 0, hover};
    }
    static MenuState submenu(std::int64_t section,
                             std::optional<std::int64_t> hover = std::nullopt) {
        return {Kind::submenu, section, hover};
    }
    static MenuState closed() { return {Kind::closed, 0, std::nullopt}; }

    Kind kind() const { return kind_; }
    bool isOpen() const { return kind_ != Kind::closed; }
    std::optional<std::int64_t> rootHover() const {
        return kind_ == Kind::root ? hover_ : std::nullopt;
    }
    std::optional<std::int64_t> submenuSection() const {
        return kind_ == Kind::submenu ? std::optional(section_) : std::nullopt;
    }
    std::optional<std::int64_t> submenuHover() const {
        return kind_ == Kind::submenu ? hover_ : std::nullopt;
    }

    friend bool operator==(const MenuState&, const MenuState&) = default;

private:
    MenuState(Kind kind, std::int64_t section, std::optional<std::int64_t> hover)
        : kind_(kind), section_(section), hover_(hover) {}

    Kind kind_;
    std::int64_t section_; // only meaningful for submenu, else 0
    std::optional<std::int64_t> hover_;
};

} // namespace vellaro
