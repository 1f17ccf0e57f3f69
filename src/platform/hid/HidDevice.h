#pragma once

#include <QString>
#include <cstdint>

namespace vellaro {

// One attached HID device as the kernel describes it.
struct HidDevice {
    std::uint16_t bus = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    QString name;

    friend bool operator==(const HidDevice&, const HidDevice&) = default;
};

} // namespace vellaro
