#pragma once

#include <cstdint>

namespace vellaro {

// What lies under a point of the dial. Only `wedge` (a section index) and
// `fanItem` (an item index counted from the open fan's first item) carry an
// index; it is 0 for the other kinds so equality compares kind and payload.
class RadialHit {
public:
    enum class Kind { wedge, fanItem, core, gap, outside };

    static RadialHit wedge(std::int64_t section) { return {Kind::wedge, section}; }
    static RadialHit fanItem(std::int64_t item) { return {Kind::fanItem, item}; }
    static RadialHit core() { return {Kind::core, 0}; }
    static RadialHit gap() { return {Kind::gap, 0}; }
    static RadialHit outside() { return {Kind::outside, 0}; }

    Kind kind() const { return kind_; }
    // The section of a `wedge` or the item of a `fanItem`; 0 otherwise.
    std::int64_t index() const { return index_; }

    friend bool operator==(const RadialHit&, const RadialHit&) = default;

private:
    RadialHit(Kind kind, std::int64_t index) : kind_(kind), index_(index) {}

    Kind kind_;
    std::int64_t index_;
};

} // namespace vellaro
